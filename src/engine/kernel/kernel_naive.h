#pragma once
// The plain escape-time loop, one point at a time: the reference that every
// faster evaluation must match, and the baseline it is measured against.

#include <cstdint>

// Iterates z := z * z + c from z = c until |z|^2 >= 4 or limit iterations;
// a count that reaches the limit gives 0, any other count its remainder
// modulo nColors. A palette of no colours (nColors <= 0) gives 0.
int ComputePointNaive(double re, double im, std::int32_t limit, std::int32_t nColors);
