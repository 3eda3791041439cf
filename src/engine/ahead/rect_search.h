#pragma once
// The recursion's rectangles worked out ahead of the steps. A rectangle's
// outcome is a pure function of the rectangle, the mapping, the limit and
// the palette size, so whoever works it out finds what the step would. A
// search goes depth first through the rectangles it is given and the
// quadrants of those it splits, in the order the steps take them, and
// collects the outcomes in that order: a run of steps is handed over at
// once, not rectangle by rectangle.

#include "engine/ahead/border_test.h"
#include "engine/ahead/count_job.h"
#include "engine/ahead/pixel_rect.h"
#include "engine/kernel/kernel.h"

#include <atomic>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

// What a step of the recursion does with its rectangle.
struct RectOutcome {
    enum Kind { Pixels, Uniform, Split } kind = Pixels;
    std::vector<std::int32_t> counts; // Pixels: the rectangle's counts, row by row
    int index = 0;                    // Uniform: the border's palette index
    std::int64_t iterations = 0;      // the plain loop's, for statistics
};

// A rectangle's place in the order of the steps: the pending rectangle it
// descends from, then the quadrants in the order they come off the stack.
struct RectKey {
    // Deepest level of a key; the recursion never comes near it (each split
    // halves both sides, and sides below 5 pixels are not split).
    static constexpr std::uint32_t kMaxDepth = 31;

    std::uint32_t root = 0;
    std::uint64_t path = 0;
    std::uint32_t depth = 0;
    // Pre-order: a rectangle comes before its quadrants.
    bool operator<(const RectKey& o) const;
    bool operator==(const RectKey& o) const = default;
    // The quadrant the steps take j-th (0 first).
    RectKey Child(int j) const;
};

// One rectangle's outcome, worked out in slices: the counts of a narrow one,
// or the border test of any other, whose chunks are evaluated in turn.
class RectWork {
public:
    // slice: the iterations it is meant to run for at a time.
    RectWork(const KernelParams& params, const PixelRect& r,
             std::int64_t slice = CountJob::kSliceBudget);

    // Works on for at most left iterations, taking what it used from left.
    // True once the outcome is known.
    bool Run(std::int64_t& left);
    void SetSlice(std::int64_t slice) { m_slice = slice; }

    RectOutcome outcome;

private:
    KernelParams m_params;
    bool m_narrow;
    BorderTest m_test;
    std::int64_t m_slice;
    std::optional<CountJob> m_counts;
    std::vector<std::int32_t> m_indices;
};

// A rectangle with its outcome, as the steps will take it.
struct RectResult {
    RectKey key;
    PixelRect r;
    RectOutcome outcome;
    bool planned = false; // given to the search, not found by it
};

class RectSearch {
public:
    struct Item {
        RectKey key;
        PixelRect r;
        bool planned = false;
    };

    RectSearch(const KernelParams& params, std::int64_t slice) : m_params(params), m_slice(slice) {}

    // A rectangle to work through, after those given so far in the steps'
    // order, or before them.
    void Add(const RectKey& key, const PixelRect& r, bool before = false);

    // Works depth first for at most about budget iterations, and stops once
    // cap outcomes wait to be handed over, or any do while now is set. True
    // when nothing is left.
    bool Run(std::int64_t budget, std::size_t cap, const std::atomic<bool>* now = nullptr);

    // Whether the first rectangle left is half worked out.
    bool InProgress() const { return m_work.has_value(); }
    // The outcomes found, in the steps' order, and the rectangles left, all
    // of which come after them.
    std::vector<RectResult>& Results() { return m_results; }
    std::deque<Item>& Left() { return m_left; }
    // Slices of this length from now on.
    void SetSlice(std::int64_t slice);

private:
    KernelParams m_params;
    std::int64_t m_slice;
    std::deque<Item> m_left;
    std::optional<RectWork> m_work; // the first one left's, once begun
    std::vector<RectResult> m_results;
};
