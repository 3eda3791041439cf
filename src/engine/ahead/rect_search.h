#pragma once
// The recursion's rectangles worked out ahead of the steps. A rectangle's
// outcome is a pure function of the rectangle, the mapping, the limit and
// the palette size, so whoever works it out finds what the step would. A
// search works through the rectangles it is given and the quadrants of those
// it splits, the first ones not yet worked out sharing each kernel call, so
// that the long orbits of one border run alongside the pixels of others
// rather than alone. It collects the outcomes in the steps' order: a run of
// steps is handed over at once, not rectangle by rectangle.

#include "engine/ahead/border_test.h"
#include "engine/ahead/count_job.h"
#include "engine/ahead/pixel_rect.h"
#include "engine/kernel/kernel.h"

#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
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

// One rectangle's outcome, worked out a chunk of pixels at a time: the counts
// of a narrow one, or the border test of any other, whose chunks are
// evaluated in turn. The chunks of several rectangles share a stream of
// kernel calls, so that the long orbits of one run alongside the pixels of
// others.
class RectWork {
public:
    RectWork(const KernelParams& params, const PixelRect& r);

    // Appends the pixels to evaluate next; false once the outcome is known.
    bool Next(std::vector<PixelLines>& runs);
    // Takes the counts of what Next appended last, as CountJob gives them.
    void Take(const std::int32_t* counts);
    bool Done() const { return m_done; }

    // While the counts of what Next appended are being worked out: their
    // places in the search's stream of pixels, from At() to Until().
    void SentAt(std::int64_t at) { m_at = at; }
    bool Out() const { return m_at >= 0; }
    std::int64_t At() const { return m_at; }
    std::int64_t Until() const { return m_at + std::int64_t(m_run.n) * m_run.lines; }

    RectOutcome outcome;

private:
    KernelParams m_params;
    PixelRect m_r;
    bool m_narrow;
    bool m_done = false;
    BorderTest m_test;
    PixelLines m_run; // what Next gave last
    std::int64_t m_at = -1;
    std::vector<std::int32_t> m_indices;
};

// A rectangle with its outcome, as the steps will take it.
struct RectResult {
    RectKey key;
    PixelRect r;
    RectOutcome outcome;
    bool planned = false; // given to the search, not found by it
};

// Works through rectangles depth first, in the order the steps take them.
// The first few rectangles not yet worked out share one stream of kernel
// calls; what they split into joins it at once, a rectangle whose counts
// are known makes room for the next one, and outcomes found out of order
// wait until those before them are found.
class RectSearch {
public:
    // Rectangles whose pixels wait to begin in the stream at most, and the
    // pixels waiting there before no further rectangle joins it.
    static constexpr std::size_t kShare = 16;
    static constexpr std::int64_t kWaitingPixels = 16384;
    // The pixels the stream holds at most, counted or not, before no further
    // rectangle joins it: while an orbit in flight holds back the counts
    // after it, they cannot be forgotten.
    static constexpr std::int64_t kHeldPixels = std::int64_t(1) << 20;

    struct Item {
        RectKey key;
        PixelRect r;
        bool planned = false;
        std::shared_ptr<RectWork> work; // once begun
    };

    // cache: counts of the computation found by anyone, if it keeps them.
    explicit RectSearch(const KernelParams& params, std::shared_ptr<CountCache> cache = nullptr)
        : m_params(params), m_stream(params) {
        m_stream.SetCache(std::move(cache));
    }

    // A rectangle to work through, after those given so far in the steps'
    // order, or before them.
    void Add(const RectKey& key, const PixelRect& r, bool before = false);

    // Works for about budget iterations (at least one kernel call), and
    // stops once cap outcomes wait to be handed over, or any do while now
    // is set. True when nothing is left.
    bool Run(std::int64_t budget, std::size_t cap, const std::atomic<bool>* now = nullptr);

    // Whether it has begun rectangles it has not worked out.
    bool InProgress() const;
    // The outcomes found, in the steps' order, and the rectangles left. Until
    // HandOver every rectangle left comes after the outcomes; after it, the
    // rectangles kept may come before some of them.
    std::vector<RectResult>& Results() { return m_results; }
    std::deque<Item>& Left() { return m_left; }

    // Gets ready to hand over all it can: every outcome found goes to the
    // results, those that follow a rectangle not found marked as planned
    // (each starts a run of the plan's), and, with release, the rectangles
    // not begun go to released. It keeps the other rectangles not worked
    // out, marked as planned, which Left() then holds.
    void HandOver(std::vector<Item>& released, bool release = true);
    // At most share rectangles waiting to begin in the stream, from now on.
    void SetShare(std::size_t share) { m_share = share < 1 ? 1 : share; }

private:
    // Gives the stream the next pixels of the first rectangles left, as far
    // as there is room: rectangles whose pixels wait to begin, rectangles
    // out at all (twice as many), pixels waiting and pixels held. True if
    // it gave any, or left any rectangle out that the next call can take
    // (not for want of rectangles out or pixels held, which only the
    // orbits in flight free).
    bool Feed();
    // Takes the counts of the rectangles whose counts are all known.
    void Collect();

    KernelParams m_params;
    std::size_t m_share = kShare;
    std::deque<Item> m_left;
    CountJob m_stream;
    std::vector<PixelLines> m_runs;
    std::vector<RectResult> m_results;
};
