// One point at a time: the plain loop with exact cycle detection, for callers
// that evaluate single pixels.

#include "engine/kernel/kernel.h"

namespace {

// The index, and in made the iterations the plain loop makes for the point.
int Index(const KernelParams& params, double re, double im, std::int64_t& made) {
    const std::int32_t limit = params.limit;
    if (limit <= 0 || re * re + im * im >= 4.0) {
        return 0;
    }
    double x = re;
    double y = im;
    // Saved orbit point, renewed at counts 1, 2, 4, 8, ... An exact repeat
    // of it means the orbit is periodic, never escapes and would run into
    // the limit; so does an orbit that has become NaN.
    double savedX = x;
    double savedY = y;
    std::int32_t count = 0;
    while (count < limit) {
        const double nx = (x * x - y * y) + re;
        const double ny = y * (x + x) + im;
        ++count;
        x = nx;
        y = ny;
        if (x * x + y * y >= 4.0) {
            break;
        }
        if (x == savedX && y == savedY) {
            count = limit;
            break;
        }
        if ((count & (count - 1)) == 0) {
            if (x != x || y != y) {
                count = limit;
                break;
            }
            savedX = x;
            savedY = y;
        }
    }
    made = count;
    if (count == limit || params.nColors <= 0) {
        return 0;
    }
    return count % params.nColors;
}

} // namespace

int ComputeIndex(const KernelParams& params, double re, double im, std::int64_t* iterations) {
    std::int64_t made = 0;
    const int index = Index(params, re, im, made);
    if (iterations != nullptr) {
        *iterations += made;
    }
    return index;
}
