#include "platform/runtime/crt_rand.h"

#include <cstdint>

namespace {
std::uint32_t g_state = 1;
}

namespace crt {

int rand() {
    g_state = g_state * 214013u + 2531011u;
    return int((g_state >> 16) & 0x7FFFu);
}

void srand(unsigned int seed) {
    g_state = seed;
}

unsigned int randstate() {
    return g_state;
}

} // namespace crt
