#pragma once
// Escape counts of a list of pixels, computed in slices that each stay
// within a budget of iterations, so that whoever runs them can stop between
// two slices. A count is the plain loop's iteration count for the pixel's
// point, with the limit already turned into 0; the palette index is the
// count mod the palette size, taken when the pixel is drawn.

#include "engine/kernel/kernel.h"

#include <cstdint>
#include <utility>
#include <vector>

// The palette index of a count: what ComputePoint gives for the point.
inline int IndexOfCount(std::int32_t count, std::int32_t nColors) {
    return nColors > 0 ? int(count % nColors) : 0;
}

// The plain loop's iterations for the pixels of run, given their counts (the
// limit turned into 0): a count of 0 took the whole limit inside the disk
// and none outside it.
std::int64_t PlainIterations(const KernelParams& params, const PixelLines& run,
                             const std::int32_t* counts);

class CountJob {
public:
    // The iterations a slice is meant for. The first pass runs all pixels
    // as one stream, to the limit, and stops where its slice ends; the few
    // pixels it was iterating then go on in passes of their own, which
    // allow each pixel as many iterations as fit in a slice.
    static constexpr std::int64_t kSliceBudget = std::int64_t(1) << 24;

    // The pixels of the runs, laid out as ComputeRuns lays out their indices.
    // params gives the mapping and the limit; its palette size is not used.
    CountJob(const KernelParams& params, std::vector<PixelLines> runs,
             std::int64_t slice = kSliceBudget);
    // Single pixels (x, y), in this order.
    CountJob(const KernelParams& params, const std::vector<std::pair<int, int>>& pixels,
             std::int64_t slice = kSliceBudget);

    // Computes for at most about budget iterations (at least one kernel call
    // or orbit slice): the first pass stops its kernel call at what is left;
    // a later one starts a call only when its pixels run to the pass's limit
    // would fit, and then takes what the plain loop needed. True once every
    // count is known.
    bool Run(std::int64_t budget);
    bool Done() const { return m_phase == Finished; }
    // The part of its budget the last Run used.
    std::int64_t Spent() const { return m_spent; }

    const std::vector<std::int32_t>& Counts() const { return m_counts; }
    std::vector<std::int32_t>& Counts() { return m_counts; }
    // The plain loop's iterations for all these pixels, once done.
    std::int64_t Iterations() const { return m_iterations; }
    std::size_t Size() const { return m_counts.size(); }

private:
    // A pixel still without its count, iterated by hand from where it stands.
    struct Orbit {
        std::int32_t pixel = 0;
        double re = 0.0, im = 0.0, x = 0.0, y = 0.0, savedX = 0.0, savedY = 0.0;
        std::int32_t count = 0;
    };
    enum Phase { FirstPass, Retries, Orbits, Finished };

    void StartPhase(std::int64_t slice);
    // The first pass over what it has not begun: the single pixels of
    // m_singles, then all from pixel m_from on.
    std::int64_t FirstPassPiece(std::int64_t budget);
    // On from the first pass, or from a retry pass, to the next.
    void EndPass();
    std::int64_t RetryPiece(std::int64_t budget);
    std::int64_t OrbitSlice(std::int64_t budget);
    // Counts of a kernel call at limit m_level for the pixels given; those the
    // call cannot settle wait for the next level.
    void Settle(const std::int32_t* results, const std::int32_t* pixels, std::size_t n,
                std::int64_t callIterations);
    std::pair<int, int> PixelAt(std::int32_t pixel) const;

    KernelParams m_params;
    std::vector<PixelLines> m_runs; // single lines
    std::vector<std::int32_t> m_runStart;
    std::vector<std::int32_t> m_counts;
    Phase m_phase = FirstPass;
    std::int32_t m_level = 0; // limit of the current pass
    std::int64_t m_slice = kSliceBudget;
    std::int32_t m_from = 0;             // first pass: where it stands
    std::vector<std::int32_t> m_singles; // first pass: not begun before m_from
    std::vector<std::int32_t> m_stopped; // stopped in the first pass, to retry
    std::vector<std::int32_t> m_open;    // pixels without a count, for the next level
    std::vector<std::int32_t> m_byHand;  // past the first pass's level, iterated by hand
    std::vector<std::int32_t> m_retry;   // this level's
    std::size_t m_retryAt = 0;
    std::vector<Orbit> m_orbits;
    std::int64_t m_iterations = 0;
    std::int64_t m_spent = 0;
    std::vector<PixelLines> m_callRuns;
    std::vector<std::int32_t> m_callPixels;
    std::vector<std::int32_t> m_callResults;
};
