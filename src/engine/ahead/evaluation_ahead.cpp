#include "engine/ahead/evaluation_ahead.h"

#include "engine/ahead/border_test.h"
#include "platform/runtime/crt_rand.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <optional>
#include <tuple>

namespace {

// Rectangles of the recursion worked through as one job at most, and the
// pixels they may have to evaluate together (narrow ones whole, the others
// their borders).
constexpr std::size_t kGroup = 16;
constexpr std::int64_t kGroupPixels = 4096;
// Pixels of the line scan evaluated as one job.
constexpr std::int64_t kScanChunk = 8192;
// Deepest level of the plan's keys; the recursion never comes near it
// (each split halves both sides, and sides below 5 pixels are not split).
constexpr std::uint32_t kMaxDepth = 31;

// The same parameters, bit for bit: a NaN in the extents must not make every
// plan look stale.
bool SameParams(const KernelParams& a, const KernelParams& b) {
    return std::memcmp(&a.xMin, &b.xMin, sizeof(double)) == 0 &&
           std::memcmp(&a.yMin, &b.yMin, sizeof(double)) == 0 &&
           std::memcmp(&a.scaleX, &b.scaleX, sizeof(double)) == 0 &&
           std::memcmp(&a.scaleY, &b.scaleY, sizeof(double)) == 0 && a.limit == b.limit &&
           a.nColors == b.nColors;
}

bool SameRect(const PixelRect& a, const PixelRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

bool SameArea(const ScanArea& a, const ScanArea& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// The view whose random step holds the generator; interface thread only.
const EvaluationAhead* g_randomHolder = nullptr;

// About a millisecond of the kernel on one core.
std::atomic<std::int64_t> g_tryIterations{std::int64_t(1) << 21};

} // namespace

// ---- Jobs ------------------------------------------------------------------

// One rectangle of the recursion: the counts of a narrow one, or the border
// test of any other, whose chunks are evaluated one after the other.
class RectWork {
public:
    // slice: the iterations it is meant to run for at a time.
    RectWork(const KernelParams& params, const PixelRect& r,
             std::int64_t slice = CountJob::kSliceBudget)
        : m_params(params), m_narrow(IsNarrowRect(r)), m_test(r), m_slice(slice) {
        outcome.kind = RectOutcome::Pixels;
        if (m_narrow) {
            const int width = r.right - r.left + 1;
            const int height = r.bottom - r.top + 1;
            if (width > 0 && height > 0)
                m_counts.emplace(
                    params, std::vector<PixelLines>{{r.left, r.top, 1, 0, width, 0, 1, height}},
                    slice);
        }
    }

    // Works on for at most left iterations, taking what it used from left.
    bool Run(std::int64_t& left) {
        if (m_narrow) {
            if (m_counts) {
                const bool done = m_counts->Run(left);
                left -= m_counts->Spent();
                if (!done)
                    return false;
                outcome.iterations = m_counts->Iterations();
                outcome.counts = std::move(m_counts->Counts());
                m_counts.reset();
            }
            return true;
        }
        for (;;) {
            if (!m_counts) {
                PixelLines run;
                if (!m_test.NextRun(run))
                    break;
                m_counts.emplace(m_params, std::vector<PixelLines>{run}, m_slice);
            }
            if (left <= 0)
                return false;
            const bool done = m_counts->Run(left);
            left -= m_counts->Spent();
            if (!done)
                return false;
            outcome.iterations += m_counts->Iterations();
            m_indices.resize(m_counts->Size());
            for (std::size_t i = 0; i < m_indices.size(); ++i)
                m_indices[i] = IndexOfCount(m_counts->Counts()[i], m_params.nColors);
            m_test.Take(m_indices.data());
            m_counts.reset();
        }
        if (m_test.Uniform()) {
            outcome.kind = RectOutcome::Uniform;
            outcome.index = m_test.Index();
        } else {
            outcome.kind = RectOutcome::Split;
        }
        return true;
    }

    // From now on in the workers' slices.
    void ForWorkers() { m_slice = CountJob::kSliceBudget; }

    RectOutcome outcome;

private:
    KernelParams m_params;
    bool m_narrow;
    BorderTest m_test;
    std::int64_t m_slice;
    std::optional<CountJob> m_counts;
    std::vector<std::int32_t> m_indices;
};

// Rectangles that come one after the other in the steps' order, worked
// through together so that small ones do not each pay a trip to the pool.
class EvaluationAhead::RectJob : public AheadJob {
public:
    struct Part {
        NodeKey key;
        RectWork work;
        bool done = false;
        bool delivered = false;
    };

    RectJob(const KernelParams& params, std::uint64_t generation)
        : generation(generation), m_params(params) {}

    void Add(NodeKey key, const PixelRect& r) { Add(key, RectWork(m_params, r)); }
    // A rectangle already worked on for a while, to be finished.
    void Add(NodeKey key, RectWork work) {
        parts.push_back(std::make_unique<Part>(Part{key, std::move(work)}));
    }

    bool RunSlice(std::int64_t budget) override {
        std::int64_t left = budget;
        for (auto& part : parts) {
            if (part->done)
                continue;
            if (left <= 0 || !part->work.Run(left))
                return false;
            part->done = true;
        }
        return true;
    }

    const std::uint64_t generation;
    std::vector<std::unique_ptr<Part>> parts;

private:
    KernelParams m_params;
};

class EvaluationAhead::ScanJob : public AheadJob {
public:
    ScanJob(const KernelParams& params, std::vector<PixelLines> runs, std::int64_t start,
            std::uint64_t generation)
        : start(start), generation(generation), counts(params, std::move(runs)) {}
    bool RunSlice(std::int64_t budget) override { return counts.Run(budget); }

    const std::int64_t start;
    const std::uint64_t generation;
    CountJob counts;
};

class EvaluationAhead::RandomJob : public AheadJob {
public:
    RandomJob(std::unique_ptr<CountJob> counts, std::uint64_t generation)
        : generation(generation), counts(std::move(counts)) {}
    bool RunSlice(std::int64_t budget) override { return counts->Run(budget); }

    const std::uint64_t generation;
    std::unique_ptr<CountJob> counts;
};

// ---- Keys ------------------------------------------------------------------

bool EvaluationAhead::NodeKey::operator<(const NodeKey& o) const {
    // A rectangle comes before its quadrants, and those in the order they
    // come off the stack: pre-order.
    return std::tie(root, path, depth) < std::tie(o.root, o.path, o.depth);
}

EvaluationAhead::NodeKey EvaluationAhead::NodeKey::Child(int j) const {
    NodeKey k = *this;
    k.path |= std::uint64_t(j) << (62 - 2 * depth);
    ++k.depth;
    return k;
}

// ---- Life ------------------------------------------------------------------

std::shared_ptr<EvaluationAhead> EvaluationAhead::Create() {
    auto ahead = std::make_shared<EvaluationAhead>();
    WorkerPool::Instance().Add(ahead);
    return ahead;
}

void EvaluationAhead::Close() {
    Drop();
    WorkerPool& pool = WorkerPool::Instance();
    {
        std::lock_guard<std::mutex> lock(pool.Mutex());
        m_closed = true;
    }
    pool.Remove(this);
}

void EvaluationAhead::Drop() {
    AbandonRandom();
    std::lock_guard<std::mutex> lock(WorkerPool::Instance().Mutex());
    DropRects();
    DropScan();
}

void EvaluationAhead::SetBudget(std::size_t bytes) {
    m_budget.store(bytes);
}

void EvaluationAhead::SetTryIterations(std::int64_t iterations) {
    g_tryIterations.store(std::max<std::int64_t>(iterations, 0));
}

std::int64_t EvaluationAhead::TryIterations() {
    return g_tryIterations.load();
}

void EvaluationAhead::DropRects() {
    // Running jobs see the new generation when they come back, and are dropped.
    ++m_rects.generation;
    m_rects.active = false;
    m_rects.nodes.clear();
    m_rects.pending.clear();
    m_rects.resumed.clear();
    m_rects.bytes = 0;
    m_rects.planBytes = 0;
    m_rects.full = false;
}

void EvaluationAhead::DropScan() {
    ++m_scan.generation;
    m_scan.active = false;
    m_scan.chunks.clear();
    m_scan.bytes = 0;
}

// ---- Recursion -------------------------------------------------------------

void EvaluationAhead::NewRectPlan(const KernelParams& params, const std::vector<PixelRect>& roots) {
    DropRects();
    m_rects.active = true;
    m_rects.params = params;
    for (std::size_t i = 0; i < roots.size(); ++i) {
        const NodeKey key{std::uint32_t(i), 0, 0};
        m_rects.nodes[key].r = roots[i];
        m_rects.pending.insert(key);
    }
}

bool EvaluationAhead::TakeRect(const KernelParams& params, const PixelRect& r,
                               const std::function<std::vector<PixelRect>()>& roots,
                               RectOutcome& out) {
    WorkerPool& pool = WorkerPool::Instance();
    bool ready = false;
    bool wake = false;
    bool tryHere = false;
    NodeKey key;
    std::uint64_t generation = 0;
    {
        std::lock_guard<std::mutex> lock(pool.Mutex());
        // A plan for other parameters, or one whose next rectangle is not the
        // stack's (after a restart, or with a palette of another size, which
        // changes the border tests), is made anew from the stack.
        if (!m_rects.active || !SameParams(m_rects.params, params) || m_rects.nodes.empty() ||
            !SameRect(m_rects.nodes.begin()->second.r, r)) {
            NewRectPlan(params, roots());
        }
        const auto it = m_rects.nodes.begin();
        Node& node = it->second;
        if (node.state == State::Done) {
            const bool failed = node.failed;
            out = std::move(node.outcome);
            m_rects.bytes -= std::min(m_rects.bytes, node.bytes);
            m_rects.planBytes -= std::min(m_rects.planBytes, sizeof(Node));
            m_rects.nodes.erase(it);
            if (failed) {
                DropRects();
                throw std::bad_alloc();
            }
            ready = true;
            // Workers stopped by a full budget go on once half of it is free,
            // not at every step.
            if (m_rects.bytes < m_budget / 2 && m_rects.planBytes < kPlanBudget / 2)
                m_rects.full = false;
        } else if (node.state == State::Pending && node.job == nullptr && TryIterations() > 0) {
            // No worker has it: the interface thread tries it itself.
            key = it->first;
            generation = m_rects.generation;
            node.state = State::Running;
            m_rects.pending.erase(key);
            tryHere = true;
        }
        // Workers are woken only for jobs there are, so that a worker with
        // nothing to take does not go round between every two steps.
        wake = RectJobWaiting();
    }
    if (wake)
        pool.JobsAdded();
    if (!tryHere)
        return ready;
    ready = TryRect(params, key, r, generation, out, wake);
    if (wake)
        pool.JobsAdded();
    return ready;
}

bool EvaluationAhead::TryRect(const KernelParams& params, const NodeKey& key, const PixelRect& r,
                              std::uint64_t generation, RectOutcome& out, bool& wake) {
    std::int64_t left = TryIterations();
    RectWork work(params, r, left);
    // Out of memory here ends the computation, and the plan with it.
    const bool done = work.Run(left);
    std::lock_guard<std::mutex> lock(WorkerPool::Instance().Mutex());
    // Only this thread makes or drops plans, so the rectangle is still the
    // plan's first one.
    const auto it = m_rects.nodes.find(key);
    if (generation != m_rects.generation || it == m_rects.nodes.end())
        return false;
    Node& node = it->second;
    if (!done) {
        // Too long for one idle call: the workers finish it, from where it
        // stands.
        auto job = std::make_shared<RectJob>(m_rects.params, m_rects.generation);
        work.ForWorkers();
        job->Add(key, std::move(work));
        node.state = State::Pending;
        node.job = std::move(job);
        m_rects.pending.insert(key);
        m_rects.resumed.insert(key);
        wake = true;
        return false;
    }
    // Its quadrants join the plan, so that the workers go on ahead of the
    // steps with them.
    Deliver(key, node, std::move(work.outcome), false);
    out = std::move(node.outcome);
    m_rects.nodes.erase(it);
    wake = out.kind == RectOutcome::Split && RectJobWaiting();
    return true;
}

void EvaluationAhead::Deliver(const NodeKey& key, Node& node, RectOutcome outcome, bool failed) {
    node.state = State::Done;
    node.failed = failed;
    node.outcome = std::move(outcome);
    node.job.reset();
    if (failed || node.outcome.kind != RectOutcome::Split || key.depth >= kMaxDepth)
        return;
    // The quadrants, in the order the steps will pop them.
    PixelRect quadrants[4];
    SplitRect(node.r, quadrants);
    for (int j = 0; j < 4; ++j) {
        const NodeKey child = key.Child(j);
        m_rects.nodes[child].r = quadrants[3 - j];
        m_rects.pending.insert(child);
    }
}

std::set<EvaluationAhead::NodeKey>::const_iterator EvaluationAhead::RectForWorkers() const {
    if (!m_rects.resumed.empty())
        return m_rects.pending.find(*m_rects.resumed.begin());
    if (m_rects.pending.empty() || TryIterations() <= 0)
        return m_rects.pending.begin();
    const auto last = std::prev(m_rects.pending.end());
    // The rectangle the next step needs is the interface thread's.
    return *last == m_rects.nodes.begin()->first ? m_rects.pending.end() : last;
}

bool EvaluationAhead::RectJobWaiting() const {
    if (!m_rects.active)
        return false;
    const auto at = RectForWorkers();
    if (at == m_rects.pending.end())
        return false;
    // A resumed job and the rectangle the steps wait for are always worked
    // on; others only while the counts ahead fit the budget.
    return !m_rects.resumed.empty() || *at == m_rects.nodes.begin()->first ||
           (!m_rects.full && m_rects.HasRoom(m_budget));
}

// ---- Line scan -------------------------------------------------------------

void EvaluationAhead::NewScanPlan(const KernelParams& params, const ScanArea& area,
                                  std::int64_t first) {
    DropScan();
    m_scan.active = true;
    m_scan.params = params;
    m_scan.area = area;
    m_scan.next = first;
}

bool EvaluationAhead::TakeScanCount(const KernelParams& params, const ScanArea& area, int x, int y,
                                    std::int32_t& count) {
    const std::int64_t i = (std::int64_t(y) - area.top) * area.Width() + (x - area.left);
    WorkerPool& pool = WorkerPool::Instance();
    bool ready = false;
    bool wake = false;
    {
        std::lock_guard<std::mutex> lock(pool.Mutex());
        // Chunks are dropped once their last pixel is taken, so the pixel
        // the scan needs is in the first one, or the next to be made.
        bool fits =
            m_scan.active && SameParams(m_scan.params, params) && SameArea(m_scan.area, area);
        if (fits && !m_scan.chunks.empty())
            fits = i >= m_scan.chunks.front().start &&
                   i < m_scan.chunks.front().start + m_scan.chunks.front().n;
        else if (fits)
            fits = m_scan.next == i;
        if (!fits)
            NewScanPlan(params, area, i);
        if (!m_scan.chunks.empty() && m_scan.chunks.front().state == State::Done) {
            Chunk& c = m_scan.chunks.front();
            if (c.failed) {
                DropScan();
                throw std::bad_alloc();
            }
            count = c.counts[std::size_t(i - c.start)];
            if (i + 1 == c.start + c.n) {
                m_scan.bytes -= std::min(m_scan.bytes, std::size_t(c.n) * sizeof(std::int32_t));
                m_scan.chunks.pop_front();
                wake = m_scan.bytes < m_budget / 2;
            }
            ready = true;
        }
    }
    if (!ready || wake)
        pool.JobsAdded();
    return ready;
}

bool EvaluationAhead::ScanJobWaiting() const {
    if (!m_scan.active)
        return false;
    for (const Chunk& c : m_scan.chunks) {
        if (c.state == State::Pending)
            return &c == &m_scan.chunks.front() || m_scan.bytes < m_budget;
    }
    return m_scan.next < m_scan.area.Pixels() && (m_scan.chunks.empty() || m_scan.bytes < m_budget);
}

// ---- Random ----------------------------------------------------------------

EvaluationAhead::RandomState EvaluationAhead::Random(const KernelParams& params) {
    bool stale = false;
    bool failed = false;
    {
        std::lock_guard<std::mutex> lock(WorkerPool::Instance().Mutex());
        if (!m_random.active)
            return RandomState::None;
        stale = !SameParams(m_random.params, params);
        failed = m_random.state == State::Done && m_random.failed;
        if (!stale && !failed)
            return m_random.state == State::Done ? RandomState::Ready : RandomState::Waiting;
    }
    // Taken for a set no longer shown: as if never taken.
    AbandonRandom();
    if (failed)
        throw std::bad_alloc();
    return RandomState::None;
}

void EvaluationAhead::StartRandom(const KernelParams& params, RandomBatch batch,
                                  std::unique_ptr<CountJob> job, unsigned before, unsigned after) {
    WorkerPool& pool = WorkerPool::Instance();
    {
        std::lock_guard<std::mutex> lock(pool.Mutex());
        ++m_random.generation;
        m_random.active = true;
        m_random.state = State::Pending;
        m_random.params = params;
        m_random.job = std::make_shared<RandomJob>(std::move(job), m_random.generation);
        m_random.batch = std::move(batch);
        m_random.before = before;
        m_random.after = after;
        m_random.failed = false;
    }
    g_randomHolder = this;
    pool.JobsAdded();
}

RandomBatch EvaluationAhead::TakeRandom() {
    RandomBatch batch;
    {
        std::lock_guard<std::mutex> lock(WorkerPool::Instance().Mutex());
        batch = std::move(m_random.batch);
        m_random =
            RandomPlan{false, State::Pending, {}, m_random.generation + 1, {}, {}, 0, 0, false};
    }
    if (g_randomHolder == this)
        g_randomHolder = nullptr;
    return batch;
}

void EvaluationAhead::HoldRandom(bool hold) {
    if (hold)
        g_randomHolder = this;
    else if (g_randomHolder == this)
        g_randomHolder = nullptr;
}

void EvaluationAhead::AbandonRandom() {
    bool active = false;
    unsigned before = 0, after = 0;
    {
        std::lock_guard<std::mutex> lock(WorkerPool::Instance().Mutex());
        active = m_random.active;
        before = m_random.before;
        after = m_random.after;
        m_random =
            RandomPlan{false, State::Pending, {}, m_random.generation + 1, {}, {}, 0, 0, false};
    }
    if (active && crt::randstate() == after)
        crt::srand(before);
    if (g_randomHolder == this)
        g_randomHolder = nullptr;
}

bool EvaluationAhead::RandomSequenceHeldByOther() const {
    return g_randomHolder != nullptr && g_randomHolder != this;
}

bool EvaluationAhead::RandomSequenceHeld() {
    return g_randomHolder != nullptr;
}

// ---- Workers ---------------------------------------------------------------

bool EvaluationAhead::HasJob() const {
    if (m_closed)
        return false;
    return (m_random.active && m_random.state == State::Pending) || RectJobWaiting() ||
           ScanJobWaiting();
}

std::shared_ptr<AheadJob> EvaluationAhead::TakeJob() {
    if (m_closed)
        return nullptr;
    if (m_random.active && m_random.state == State::Pending) {
        m_random.state = State::Running;
        return m_random.job;
    }
    if (RectJobWaiting())
        return TakeRectJob(RectForWorkers());
    if (ScanJobWaiting()) {
        for (Chunk& c : m_scan.chunks) {
            if (c.state == State::Pending) {
                c.state = State::Running;
                return c.job;
            }
        }
        // A new chunk: the pixels from next on, row by row.
        const ScanArea& a = m_scan.area;
        const std::int64_t width = a.Width();
        Chunk c;
        c.start = m_scan.next;
        c.n = std::int32_t(std::min(kScanChunk, a.Pixels() - c.start));
        std::vector<PixelLines> runs;
        for (std::int64_t at = c.start; at < c.start + c.n;) {
            const int y = int(a.top + at / width);
            const int x = int(a.left + at % width);
            const int n = int(std::min(width - at % width, c.start + c.n - at));
            runs.push_back(PixelLines{x, y, 1, 0, n, 0, 0, 1});
            at += n;
        }
        c.job =
            std::make_shared<ScanJob>(m_scan.params, std::move(runs), c.start, m_scan.generation);
        c.state = State::Running;
        m_scan.next += c.n;
        m_scan.bytes += std::size_t(c.n) * sizeof(std::int32_t);
        m_scan.chunks.push_back(c);
        return m_scan.chunks.back().job;
    }
    return nullptr;
}

std::shared_ptr<AheadJob> EvaluationAhead::TakeRectJob(std::set<NodeKey>::const_iterator at) {
    const NodeKey key = *at;
    const bool fromBack = std::next(at) == m_rects.pending.end() && at != m_rects.pending.begin() &&
                          m_rects.resumed.empty() && TryIterations() > 0;
    auto after = m_rects.pending.erase(at);
    m_rects.resumed.erase(key);
    Node& first = m_rects.nodes[key];
    first.state = State::Running;
    if (first.job != nullptr)
        return first.job; // a group that ran out of its slice
    auto job = std::make_shared<RectJob>(m_rects.params, m_rects.generation);
    const auto take = [&](NodeKey k, Node& node) {
        node.state = State::Running;
        node.bytes = 0;
        if (IsNarrowRect(node.r))
            node.bytes = std::size_t(node.r.right - node.r.left + 1) *
                         std::size_t(node.r.bottom - node.r.top + 1) * sizeof(std::int32_t);
        m_rects.bytes += node.bytes;
        m_rects.planBytes += sizeof(Node);
        if (!m_rects.HasRoom(m_budget))
            m_rects.full = true;
        job->Add(k, node.r);
    };
    take(key, first);
    // The rectangles next to it join while they are small; never the one
    // the next step needs while the interface thread tries it.
    const NodeKey front = m_rects.nodes.begin()->first;
    std::int64_t pixels = 0;
    while (job->parts.size() < kGroup && m_rects.HasRoom(m_budget)) {
        if (fromBack ? after == m_rects.pending.begin() : after == m_rects.pending.end())
            break;
        const auto it = fromBack ? std::prev(after) : after;
        if (fromBack && *it == front)
            break;
        Node& node = m_rects.nodes[*it];
        if (node.job != nullptr)
            break; // another group's
        const PixelRect& r = node.r;
        const std::int64_t w = std::int64_t(r.right) - r.left + 1;
        const std::int64_t h = std::int64_t(r.bottom) - r.top + 1;
        pixels += IsNarrowRect(r) ? w * h : 2 * (w + h);
        if (pixels > kGroupPixels)
            break;
        take(*it, node);
        after = m_rects.pending.erase(it);
    }
    return job;
}

bool EvaluationAhead::JobBack(const std::shared_ptr<AheadJob>& job, bool finished) {
    if (auto* rect = dynamic_cast<RectJob*>(job.get())) {
        if (rect->generation != m_rects.generation)
            return false;
        bool resumed = false;
        bool delivered = false;
        for (auto& part : rect->parts) {
            if (part->delivered)
                continue;
            const auto it = m_rects.nodes.find(part->key);
            if (it == m_rects.nodes.end())
                continue;
            Node& node = it->second;
            if (!part->done && !job->failed) {
                // The first rectangle not done waits for the next slice; the
                // others stay with the group.
                if (!resumed) {
                    node.state = State::Pending;
                    node.job = job;
                    m_rects.pending.insert(part->key);
                    m_rects.resumed.insert(part->key);
                    resumed = true;
                }
                continue;
            }
            part->delivered = true;
            delivered = true;
            Deliver(part->key, node, std::move(part->work.outcome), job->failed);
        }
        (void)finished;
        // Only the rectangle the next step needs is waited for.
        return delivered && !m_rects.nodes.empty() &&
               m_rects.nodes.begin()->second.state == State::Done;
    }
    if (auto* scan = dynamic_cast<ScanJob*>(job.get())) {
        if (scan->generation != m_scan.generation)
            return false;
        for (Chunk& c : m_scan.chunks) {
            if (c.start != scan->start)
                continue;
            if (!finished) {
                c.state = State::Pending;
                return false;
            }
            c.state = State::Done;
            c.failed = job->failed;
            c.counts = std::move(scan->counts.Counts());
            c.job.reset();
            return &c == &m_scan.chunks.front();
        }
        return false;
    }
    if (auto* random = dynamic_cast<RandomJob*>(job.get())) {
        if (!m_random.active || random->generation != m_random.generation)
            return false;
        if (!finished) {
            m_random.state = State::Pending;
            return false;
        }
        m_random.state = State::Done;
        m_random.failed = job->failed;
        m_random.batch.counts = std::move(random->counts->Counts());
        m_random.batch.iterations = random->counts->Iterations();
        m_random.job.reset();
        return true;
    }
    return false;
}
