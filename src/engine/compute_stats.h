#pragma once
// What a computation did, for quirl32-render --stats.

#include <cstdint>

struct ComputeStats {
    std::int64_t steps = 0;      // steps taken
    std::int64_t iterations = 0; // the plain loop's iterations for every pixel evaluated
    double longestStepMs = 0.0;  // the longest single idle call on the interface thread
    double totalMs = 0.0;        // the whole computation
};
