#pragma once
// The C runtime's pseudo-random generator: state * 214013 + 2531011, values
// 0 ... 32767 from bits 16 to 30. The state starts at 1 and is shared by all
// callers in the program.

namespace crt {
constexpr int kRandMax = 0x7FFF;
int rand();
void srand(unsigned int seed);
// The generator's state, to step back over values taken but not used.
unsigned int randstate();
} // namespace crt
