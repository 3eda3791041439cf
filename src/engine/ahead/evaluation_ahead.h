#pragma once
// A set view's evaluation ahead of its idle steps, on the shared workers.
// For the recursion it works out the coming rectangles in the order the
// steps will take them (each rectangle's outcome is a pure function of the
// rectangle, the mapping, the limit and the palette size); for the line scan
// the coming pixels from the scan position on; for the random method the
// points one step has taken. The view's steps take what is ready and stay
// exactly the plain steps; whatever no longer fits what the view shows is
// dropped, never drawn.
//
// Everything here is called on the interface thread, except what the pool
// calls (TakeJob, HasJob, JobBack) on workers under its mutex. All shared
// members are guarded by that mutex, but for m_unchanged, an atomic flag
// the interface thread reads without it.

#include "engine/ahead/count_cache.h"
#include "engine/ahead/count_job.h"
#include "engine/ahead/pixel_rect.h"
#include "engine/ahead/rect_search.h"
#include "engine/ahead/worker_pool.h"
#include "engine/kernel/kernel.h"

#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <utility>
#include <vector>

// The inclusive rectangle a line scan covers.
struct ScanArea {
    int left = 0, top = 0, right = 0, bottom = 0;
    std::int64_t Width() const { return std::int64_t(right) - left + 1; }
    std::int64_t Pixels() const { return Width() * (std::int64_t(bottom) - top + 1); }
};

// A random step's points and their counts.
struct RandomBatch {
    std::vector<std::pair<int, int>> points;
    std::vector<std::int32_t> counts;
    std::int64_t iterations = 0;
};

class EvaluationAhead : public AheadClient {
public:
    // A new client of the shared pool.
    static std::shared_ptr<EvaluationAhead> Create();
    // The view closes: all work ends and the client leaves the pool.
    void Close();
    // Drops all work ahead. A random step's points that were never drawn go
    // back to the generator when no one has taken values after them.
    void Drop();

    // How many bytes of counts may wait ahead of the steps.
    void SetBudget(std::size_t bytes);

    // The iterations the interface thread spends on the rectangle a step
    // needs when no worker has taken it yet, before it hands the rest of it
    // to the workers: most steps are far cheaper than a trip through the
    // pool. 0 leaves every rectangle to the workers.
    static void SetTryIterations(std::int64_t iterations);
    static std::int64_t TryIterations();
    // The pixels of a line-scan job; 0 (as it starts) lets the limit decide.
    static void SetScanChunk(std::int64_t pixels);
    static std::int64_t ScanChunkSet();

    // Recursion: the outcome for r, the rectangle the next step pops, once
    // worked out with these parameters. roots gives the pending rectangles,
    // the next one first, when the plan has to be made anew. False while not
    // ready. Throws std::bad_alloc when a worker ran out of memory on it.
    bool TakeRect(const KernelParams& params, const PixelRect& r,
                  const std::function<std::vector<PixelRect>()>& roots, RectOutcome& out);

    // Line scan: the count of pixel (x, y), the next the scan draws.
    bool TakeScanCount(const KernelParams& params, const ScanArea& area, int x, int y,
                       std::int32_t& count);

    // Random: a step's batch, its points taken from the generator (its
    // state before and after them given) within area. Start counts them at
    // once where that takes at most RandomInlineIterations: true, with the
    // counts in batch. Otherwise it hands them to the workers, in parts
    // that run side by side, and Random tells when they are back.
    enum class RandomState { None, Waiting, Ready };
    RandomState Random(const KernelParams& params);
    bool StartRandom(const KernelParams& params, const PixelRect& area, RandomBatch& batch,
                     unsigned before, unsigned after);
    RandomBatch TakeRandom();
    // The fewest points of a part handed to a worker; 0 (as it starts) for
    // the default.
    static void SetRandomPart(std::int32_t points);
    static std::int32_t RandomPartSet();
    // The iterations a random step may take on the interface thread before
    // it goes to the workers: well below a millisecond as it starts.
    static void SetRandomInlineIterations(std::int64_t iterations);
    static std::int64_t RandomInlineIterations();
    // A step whose points come in pieces holds the generator from one piece
    // to the next; Drop lets it go.
    void HoldRandom(bool hold);
    // Whether another view's random step holds the generator: its points are
    // taken and not yet drawn, so no other step may take any now.
    bool RandomSequenceHeldByOther() const;
    // The same for a view without a client of its own: whether any view's
    // random step holds the generator.
    static bool RandomSequenceHeld();

    // AheadClient, under the pool's mutex.
    std::shared_ptr<AheadJob> TakeJob() override;
    bool HasJob() const override;
    bool JobBack(const std::shared_ptr<AheadJob>& job, bool finished) override;

private:
    // The plan's nodes of rectangles taken ahead are bookkeeping, not counts:
    // they have a budget of their own, the same for every view, so that the
    // workers can run far enough ahead of a large picture's cheap steps.
    static constexpr std::size_t kPlanBudget = std::size_t(16) << 20;
    enum class State { Pending, Running, Done };

    using NodeKey = RectKey;
    class RectJob;
    // A rectangle of the plan. Once worked out it holds the outcomes of the
    // steps from it on, up to the next node: its own, then those a search
    // found after it, depth first.
    struct Node {
        PixelRect r;
        State state = State::Pending;
        // The search that has begun it and keeps it between its slices; of
        // the nodes a search keeps, only the first is pending (and resumed).
        std::shared_ptr<AheadJob> job;
        std::weak_ptr<RectJob> runner; // while a worker's search has it
        std::vector<RectResult> results;
        std::size_t next = 0; // the first result not taken
        bool failed = false;
        // The rectangle the steps take next from here.
        const PixelRect& Next() const { return next < results.size() ? results[next].r : r; }
    };
    struct Chunk {
        std::int64_t start = 0;
        std::int32_t n = 0;
        State state = State::Pending;
        std::shared_ptr<AheadJob> job;
        std::vector<std::int32_t> counts;
        bool failed = false;
    };
    struct RectPlan {
        bool active = false;
        KernelParams params;
        std::uint64_t generation = 0;
        std::map<NodeKey, Node> nodes;
        std::set<NodeKey> pending;         // to be taken: not begun, or how a search goes on
        std::set<NodeKey> resumed;         // with a job that ran out of its slice
        std::size_t bytes = 0;             // counts of narrow rectangles worked out
        std::size_t planBytes = 0;         // nodes and outcomes, bounded on their own
        std::shared_ptr<CountCache> cache; // costly counts found, for all its searches
        bool full = false;                 // until half of either budget is free again
        bool HasRoom(std::size_t budget) const { return bytes < budget && planBytes < kPlanBudget; }
    };
    struct ScanPlan {
        bool active = false;
        KernelParams params;
        ScanArea area;
        std::uint64_t generation = 0;
        std::deque<Chunk> chunks;
        std::int64_t next = 0; // first pixel without a chunk
        std::size_t bytes = 0;
    };
    struct RandomPart {
        State state = State::Pending;
        std::shared_ptr<AheadJob> job;
        std::size_t first = 0; // its first point in the batch
    };
    struct RandomPlan {
        bool active = false;
        KernelParams params;
        std::uint64_t generation = 0;
        std::vector<RandomPart> parts;
        std::size_t partsDone = 0;
        RandomBatch batch;
        unsigned before = 0, after = 0;
        bool failed = false;
        bool Ready() const { return partsDone == parts.size(); }
    };
    // The counts of the random steps' pixels, costly ones, for as long as
    // the mapping and the area stay: random points come back to every pixel.
    // This thread's own; the jobs hold it while they run.
    struct RandomCounts {
        KernelParams params;
        PixelRect area;
        std::shared_ptr<CountCache> cache;
    };
    std::shared_ptr<CountCache> RandomCache(const KernelParams& params, const PixelRect& area);
    class ScanJob;
    class RandomJob;

    void NewRectPlan(const KernelParams& params, const std::vector<PixelRect>& roots);
    void NewScanPlan(const KernelParams& params, const ScanArea& area, std::int64_t first);
    void DropRects();
    void DropScan();
    // On the interface thread: gives the generator back what the batch took.
    void AbandonRandom();
    // Under the mutex: no random step's points out, in a new generation.
    void ClearRandom();
    // Under the mutex: the random step's first part that waits for a
    // worker, or the number of parts when none does.
    std::size_t WaitingRandomPart() const;
    // A part's counts into their place in the batch, and its iterations.
    static void AddPart(RandomBatch& batch, std::size_t first, const CountJob& part);
    // Under the mutex: the pending rectangle a worker takes next, or none.
    // While the interface thread tries rectangles itself, it takes them from
    // the front of the order and the workers from the back, so that the two
    // meet only once the picture is nearly done; otherwise the workers take
    // them in order. Jobs that ran out of their slice go on first.
    std::set<NodeKey>::const_iterator RectForWorkers() const;
    // A job for the pending rectangle at, and for those next to it (after it
    // in order, or before it when taken from the back) while they are small.
    std::shared_ptr<AheadJob> TakeRectJob(std::set<NodeKey>::const_iterator at);
    // Under the mutex: what a search found goes into the plan, and the
    // rectangles it has not begun wait to be worked out by anyone (unless
    // it keeps them all); those it has begun wait for the job's next slice.
    void HandBack(RectJob& job, const std::shared_ptr<AheadJob>& self, bool failed,
                  bool keepAll = false);
    // Under the mutex: the outcome of the plan's first step, when known.
    // Throws std::bad_alloc when a worker ran out of memory on it.
    bool TakeFront(RectOutcome& out);
    // The rectangle the next step needs, worked out on the interface thread
    // within the try budget (with an eighth of it more for those after it);
    // false when it was handed to the workers.
    bool TryRect(const KernelParams& params, const NodeKey& key, const PixelRect& r,
                 std::uint64_t generation, std::shared_ptr<CountCache> cache, RectOutcome& out,
                 bool& wake);
    // Under the mutex: a search of the recursion back from a worker; false
    // when job is none. wake: the rectangle the next step needs is ready.
    bool RectJobBack(const std::shared_ptr<AheadJob>& job, bool& wake);
    static bool SameParams(const KernelParams& a, const KernelParams& b);
    // Under the mutex: whether the plans have a job for a worker now.
    bool RectJobWaiting() const;
    bool ScanJobWaiting() const;

    // A step that waits for a worker asks the same question at every idle
    // call. m_unchanged is set, under the mutex, when the answer was "not
    // ready" and only the workers can change it (the budget and the try
    // setting touch only work further ahead); every job coming back,
    // every rectangle job a worker takes (the search the step waits for must
    // be told so) and every drop clears it. While it is set, the same
    // question (the m_asked members, this thread's own) is answered without
    // the mutex, so that a window waiting for its workers costs the windows
    // beside it next to nothing.
    bool Unchanged(const KernelParams& params, const PixelRect& r, std::int64_t scan) const;
    void Ask(const KernelParams& params, const PixelRect& r, std::int64_t scan);
    std::atomic<bool> m_unchanged{false};
    KernelParams m_askedParams;
    PixelRect m_askedRect;         // or the scan's area
    std::int64_t m_askedScan = -1; // the scan pixel's place; -1 for a rectangle

    // The chunk the line scan draws from, taken out of the plan whole once
    // done: this thread's own, read without the mutex pixel by pixel.
    struct TakenChunk {
        bool active = false;
        KernelParams params;
        ScanArea area;
        std::int64_t start = 0;
        std::vector<std::int32_t> counts;
    };
    TakenChunk m_taken;

    std::atomic<std::size_t> m_budget{1 << 20}; // set without the mutex
    RectPlan m_rects;
    ScanPlan m_scan;
    RandomPlan m_random;
    RandomCounts m_randomCounts;
    bool m_closed = false;
};
