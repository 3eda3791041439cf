#include "engine/kernel/kernel_naive.h"

int ComputePointNaive(double re, double im, std::int32_t limit, std::int32_t nColors) {
    std::int32_t count = 0;
    // Written as the test that skips the loop, so that a NaN point iterates.
    if (!(re * re + im * im >= 4.0)) {
        double x = re;
        double y = im;
        while (count < limit) {
            const double nx = (x * x - y * y) + re;
            const double ny = y * (x + x) + im;
            ++count;
            x = nx;
            y = ny;
            if (x * x + y * y >= 4.0) {
                break;
            }
        }
    }
    if (count == limit || nColors <= 0) {
        return 0;
    }
    return count % nColors;
}
