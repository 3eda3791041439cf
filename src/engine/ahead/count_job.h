#pragma once
// Escape counts of a list of pixels, computed in slices that each stay
// within about a budget of iterations (a kernel call stops at the end of the
// block of steps that reaches it), so that whoever runs them can stop
// between two slices. A count is the plain loop's iteration count for the pixel's
// point, with the limit already turned into 0; the palette index is the
// count mod the palette size, taken when the pixel is drawn.

#include "engine/ahead/count_cache.h"
#include "engine/kernel/kernel.h"

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

// The palette index of a count: what ComputePoint gives for the point.
inline int IndexOfCount(std::int32_t count, std::int32_t nColors) {
    return nColors > 0 ? int(count % nColors) : 0;
}

// Whether a pixel's point lies inside the disk of radius 2, as the plain
// loop tests it: a NaN point iterates.
inline bool InsideDisk(const KernelParams& params, int x, int y) {
    const double re = x * params.scaleX + params.xMin;
    const double im = y * params.scaleY + params.yMin;
    return !(re * re + im * im >= 4.0);
}

// The plain loop's iterations for the pixels of run, given their counts (the
// limit turned into 0): a count of 0 took the whole limit inside the disk
// and none outside it.
std::int64_t PlainIterations(const KernelParams& params, const PixelLines& run,
                             const std::int32_t* counts);

class CountJob {
public:
    // The iterations a slice is meant for.
    static constexpr std::int64_t kSliceBudget = std::int64_t(1) << 24;

    // The pixels of the runs, laid out as ComputeRuns lays out their indices.
    // params gives the mapping and the limit; its palette size is not used.
    explicit CountJob(const KernelParams& params, std::vector<PixelLines> runs = {});
    // Single pixels (x, y), in this order.
    CountJob(const KernelParams& params, const std::vector<std::pair<int, int>>& pixels);

    // Counts found by anyone for the same computation: pixels found there
    // are not iterated again, and costly counts this job finds go there.
    void SetCache(std::shared_ptr<CountCache> cache) { m_cache = std::move(cache); }

    // More pixels, after those given so far; returns the place of the first.
    // Places go on rising over the job's life, whatever it forgets.
    std::int64_t Append(const std::vector<PixelLines>& runs);

    // Computes for about budget iterations' worth of work (at least one
    // block of steps), as one stream of all the pixels without a count, to
    // the limit; where the work stops, the orbits in flight are kept and go
    // on in the next call. With yieldTail it may also stop in the kernel's
    // tail, once every pixel given has begun and lanes idle
    // (KernelStop::stopInTail), so that pixels appended then run beside the
    // orbits still in flight. True once every count is known.
    bool Run(std::int64_t budget, bool yieldTail = false);
    bool Done() const { return m_done; }
    // The part of its budget the last Run used.
    std::int64_t Spent() const { return m_spent; }

    // Whether the counts of the pixels at places [from, to) are all known.
    bool Counted(std::int64_t from, std::int64_t to) const;
    // Every pixel before this place has begun, but for a few.
    std::int64_t Begun() const { return m_from; }
    // The place of the first pixel not forgotten, and the place after the
    // last pixel given.
    std::int64_t First() const { return m_base; }
    std::int64_t End() const { return m_base + std::int64_t(m_counts.size()); }
    // The count of the pixel at a place not forgotten.
    const std::int32_t* CountsAt(std::int64_t place) const {
        return m_counts.data() + (place - m_base);
    }
    // Forgets the pixels before a place; their counts must all be known.
    void Forget(std::int64_t before);

    // While nothing is forgotten: the counts, in the order given.
    const std::vector<std::int32_t>& Counts() const { return m_counts; }
    std::vector<std::int32_t>& Counts() { return m_counts; }
    // The plain loop's iterations for all the pixels counted.
    std::int64_t Iterations() const { return m_iterations; }

private:
    // One kernel call on what is left, for about budget; the work it did.
    std::int64_t Piece(std::int64_t budget, bool yieldTail, bool& inTail);
    std::pair<int, int> PixelAt(std::int64_t place) const;

    // Lays out the pixels from m_from on for a call, as far as room goes:
    // all of them, or without those the cache knows, whose counts it takes.
    // Returns the place after the last one laid out.
    std::int64_t LayOut(std::int64_t room);
    // The plain loop's iterations of the pixels the cache knew in the last
    // call, those now before m_from, as if they had been evaluated, so that
    // Iterations() stays the plain loop's (the recursion's outcomes take
    // theirs from the counts).
    void CountKnown();
    // Keeps the costly counts of the call's finished pixels in the cache.
    void Share(std::size_t pixels);

    KernelParams m_params;
    std::shared_ptr<CountCache> m_cache;
    std::vector<PixelLines> m_runs; // single lines
    std::vector<std::int64_t> m_runStart;
    std::vector<std::int32_t> m_counts; // from place m_base on
    std::int64_t m_base = 0;
    bool m_done = false;
    // What is left: the orbits in flight, single pixels not begun, then all
    // pixels from m_from on.
    std::vector<OrbitState> m_flying;
    std::vector<std::int64_t> m_singles;
    std::int64_t m_from = 0;
    std::int64_t m_perPixel = 256; // work a pixel took so far
    std::int64_t m_iterations = 0;
    std::int64_t m_spent = 0;
    std::vector<PixelLines> m_callRuns;
    std::vector<std::int64_t> m_callPixels;
    std::vector<std::int64_t> m_callKnown; // places the cache knew, in order
    std::vector<std::int32_t> m_callResults;
};
