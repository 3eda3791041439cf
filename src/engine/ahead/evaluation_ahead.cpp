#include "engine/ahead/evaluation_ahead.h"

#include "platform/runtime/crt_rand.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

// Pixels of the line scan evaluated as one job. At the highest limits a few
// costly pixels next to each other would keep one worker busy while the
// others waited for the scan to reach the chunks after them, so chunks are
// small there (the default view at limit 100000000: 0.72 of the wall time
// with two workers; 16 pixels lost more in idle lanes, and at 1000000 small
// chunks cost more than they gain).
std::atomic<std::int64_t> g_scanChunk{0};

std::int64_t ScanChunk(std::int32_t limit) {
    if (const std::int64_t set = g_scanChunk.load(); set > 0)
        return set;
    return limit >= (std::int32_t(1) << 24) ? 64 : 8192;
}

bool SameArea(const ScanArea& a, const ScanArea& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// The view whose random step holds the generator; interface thread only.
const EvaluationAhead* g_randomHolder = nullptr;

// The fewest points of a random step's part. A step's few costly points
// share the kernel's lanes in one stream; split into small parts, each runs
// its own alone (steps of 1000 points: 1.1 times the time in parts of 256;
// steps of 5000 in parts of 2048: 0.7 times).
constexpr std::int32_t kRandomPart = 2048;
std::atomic<std::int32_t> g_randomPart{0};
std::atomic<std::int64_t> g_randomInline{std::int64_t(1) << 18};

// About a millisecond of the kernel on one core.
std::atomic<std::int64_t> g_tryIterations{std::int64_t(1) << 21};

} // namespace

// ---- Jobs ------------------------------------------------------------------

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
    RandomJob(std::unique_ptr<CountJob> counts, std::size_t part, std::uint64_t generation)
        : part(part), generation(generation), counts(std::move(counts)) {}
    bool RunSlice(std::int64_t budget) override { return counts->Run(budget); }

    const std::size_t part;
    std::uint64_t generation; // set before any worker sees the job
    std::unique_ptr<CountJob> counts;
};

// The same parameters, bit for bit: a NaN in the extents must not make every
// plan look stale.
bool EvaluationAhead::SameParams(const KernelParams& a, const KernelParams& b) {
    return std::memcmp(&a.xMin, &b.xMin, sizeof(double)) == 0 &&
           std::memcmp(&a.yMin, &b.yMin, sizeof(double)) == 0 &&
           std::memcmp(&a.scaleX, &b.scaleX, sizeof(double)) == 0 &&
           std::memcmp(&a.scaleY, &b.scaleY, sizeof(double)) == 0 && a.limit == b.limit &&
           a.nColors == b.nColors;
}

// ---- Life ------------------------------------------------------------------

std::shared_ptr<EvaluationAhead> EvaluationAhead::Create() {
    auto ahead = std::make_shared<EvaluationAhead>();
    WorkerPool::Instance().Add(ahead);
    return ahead;
}

void EvaluationAhead::Close() {
    Drop();
    m_randomCounts = RandomCounts{};
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

void EvaluationAhead::SetScanChunk(std::int64_t pixels) {
    g_scanChunk.store(std::max<std::int64_t>(pixels, 0));
}

std::int64_t EvaluationAhead::ScanChunkSet() {
    return g_scanChunk.load();
}

void EvaluationAhead::SetRandomPart(std::int32_t points) {
    g_randomPart.store(std::max(points, 0));
}

std::int32_t EvaluationAhead::RandomPartSet() {
    return g_randomPart.load();
}

void EvaluationAhead::SetRandomInlineIterations(std::int64_t iterations) {
    g_randomInline.store(std::max<std::int64_t>(iterations, 0));
}

std::int64_t EvaluationAhead::RandomInlineIterations() {
    return g_randomInline.load();
}

void EvaluationAhead::SetTryIterations(std::int64_t iterations) {
    g_tryIterations.store(std::max<std::int64_t>(iterations, 0));
}

std::int64_t EvaluationAhead::TryIterations() {
    return g_tryIterations.load();
}

bool EvaluationAhead::Unchanged(const KernelParams& params, const PixelRect& r,
                                std::int64_t scan) const {
    return m_unchanged.load(std::memory_order_acquire) && m_askedScan == scan && m_askedRect == r &&
           SameParams(m_askedParams, params);
}

void EvaluationAhead::Ask(const KernelParams& params, const PixelRect& r, std::int64_t scan) {
    m_askedParams = params;
    m_askedRect = r;
    m_askedScan = scan;
    m_unchanged.store(true, std::memory_order_release);
}

void EvaluationAhead::DropScan() {
    m_unchanged.store(false, std::memory_order_release);
    m_taken = TakenChunk{};
    ++m_scan.generation;
    m_scan.active = false;
    m_scan.chunks.clear();
    m_scan.bytes = 0;
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
    if (m_taken.active && SameParams(m_taken.params, params) && SameArea(m_taken.area, area) &&
        i >= m_taken.start && i < m_taken.start + std::int64_t(m_taken.counts.size())) {
        count = m_taken.counts[std::size_t(i - m_taken.start)];
        m_taken.active = i + 1 < m_taken.start + std::int64_t(m_taken.counts.size());
        return true;
    }
    const PixelRect asked{area.left, area.top, area.right, area.bottom};
    if (Unchanged(params, asked, i))
        return false;
    // The view computes by other means now.
    m_randomCounts = RandomCounts{};
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
            // The rest of the chunk's pixels are taken without the mutex.
            m_taken.active = i + 1 < c.start + c.n;
            m_taken.params = params;
            m_taken.area = area;
            m_taken.start = c.start;
            m_taken.counts = std::move(c.counts);
            m_scan.bytes -= std::min(m_scan.bytes, std::size_t(c.n) * sizeof(std::int32_t));
            m_scan.chunks.pop_front();
            wake = m_scan.bytes < m_budget / 2;
            ready = true;
        } else if (!m_scan.chunks.empty() && m_scan.chunks.front().state == State::Running) {
            Ask(params, asked, i);
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
        // A part that failed fails the step at once; the others are dropped.
        failed = m_random.failed;
        if (!stale && !failed)
            return m_random.Ready() ? RandomState::Ready : RandomState::Waiting;
    }
    // Taken for a set no longer shown: as if never taken.
    AbandonRandom();
    if (failed)
        throw std::bad_alloc();
    return RandomState::None;
}

std::shared_ptr<CountCache> EvaluationAhead::RandomCache(const KernelParams& params,
                                                         const PixelRect& area) {
    // The palette size does not change a count.
    KernelParams mapping = params;
    mapping.nColors = m_randomCounts.params.nColors;
    if (!SameParams(m_randomCounts.params, mapping) || !(m_randomCounts.area == area)) {
        // The old table goes first: both may be large.
        m_randomCounts = RandomCounts{};
        m_randomCounts.params = params;
        m_randomCounts.area = area;
        m_randomCounts.cache = CountCache::For(params.limit, area, true);
    }
    return m_randomCounts.cache;
}

bool EvaluationAhead::StartRandom(const KernelParams& params, const PixelRect& area,
                                  RandomBatch& batch, unsigned before, unsigned after) {
    const std::size_t n = batch.points.size();
    const std::shared_ptr<CountCache> cache = RandomCache(params, area);
    // Parts that the workers run side by side, a few for each, so that one
    // costly part does not leave the others idle long.
    const std::int32_t set = g_randomPart.load();
    const std::size_t least = std::size_t(set > 0 ? set : kRandomPart);
    const std::size_t most = 2 * std::size_t(std::max(WorkerPool::Instance().Threads(), 1));
    const std::size_t parts = std::clamp<std::size_t>(n / least, 1, most);
    const auto first = [&](std::size_t k) { return n * k / parts; };
    std::vector<std::unique_ptr<CountJob>> jobs;
    for (std::size_t k = 0; k < parts; ++k) {
        jobs.push_back(std::make_unique<CountJob>(
            params,
            std::vector<std::pair<int, int>>(batch.points.begin() + std::ptrdiff_t(first(k)),
                                             batch.points.begin() + std::ptrdiff_t(first(k + 1)))));
        jobs.back()->SetCache(cache);
    }
    batch.counts.assign(n, 0);
    batch.iterations = 0;
    // Cheap parts are counted here at once, in order, within the budget.
    std::size_t partsDone = 0;
    for (std::int64_t budget = g_randomInline.load(); partsDone < parts && budget > 0;
         ++partsDone) {
        CountJob& job = *jobs[partsDone];
        const bool finished = job.Run(budget);
        budget -= job.Spent();
        if (!finished)
            break;
        AddPart(batch, first(partsDone), job);
    }
    if (partsDone == parts)
        return true;
    // Made whole before it goes in, so that running out of memory on the
    // way leaves the plan as it was.
    RandomPlan plan;
    plan.active = true;
    plan.params = params;
    plan.parts.resize(parts);
    for (std::size_t k = 0; k < parts; ++k) {
        plan.parts[k].first = first(k);
        if (k < partsDone) {
            plan.parts[k].state = State::Done;
            ++plan.partsDone;
        }
    }
    std::vector<std::shared_ptr<RandomJob>> handed;
    for (std::size_t k = partsDone; k < parts; ++k)
        handed.push_back(std::make_shared<RandomJob>(std::move(jobs[k]), k, 0));
    plan.batch = std::move(batch);
    plan.before = before;
    plan.after = after;
    WorkerPool& pool = WorkerPool::Instance();
    {
        std::lock_guard<std::mutex> lock(pool.Mutex());
        plan.generation = m_random.generation + 1;
        for (const auto& job : handed) {
            job->generation = plan.generation;
            plan.parts[job->part].job = job;
        }
        m_random = std::move(plan);
    }
    g_randomHolder = this;
    pool.JobsAdded();
    return false;
}

RandomBatch EvaluationAhead::TakeRandom() {
    RandomBatch batch;
    {
        std::lock_guard<std::mutex> lock(WorkerPool::Instance().Mutex());
        batch = std::move(m_random.batch);
        ClearRandom();
    }
    if (g_randomHolder == this)
        g_randomHolder = nullptr;
    return batch;
}

void EvaluationAhead::ClearRandom() {
    const std::uint64_t generation = m_random.generation + 1;
    m_random = RandomPlan{};
    m_random.generation = generation;
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
        ClearRandom();
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

std::size_t EvaluationAhead::WaitingRandomPart() const {
    if (!m_random.active)
        return m_random.parts.size();
    return std::size_t(
        std::find_if(m_random.parts.begin(), m_random.parts.end(),
                     [](const RandomPart& part) { return part.state == State::Pending; }) -
        m_random.parts.begin());
}

void EvaluationAhead::AddPart(RandomBatch& batch, std::size_t first, const CountJob& part) {
    std::copy(part.Counts().begin(), part.Counts().end(),
              batch.counts.begin() + std::ptrdiff_t(first));
    batch.iterations += part.Iterations();
}

bool EvaluationAhead::HasJob() const {
    if (m_closed)
        return false;
    return WaitingRandomPart() < m_random.parts.size() || RectJobWaiting() || ScanJobWaiting();
}

std::shared_ptr<AheadJob> EvaluationAhead::TakeJob() {
    if (m_closed)
        return nullptr;
    if (const std::size_t k = WaitingRandomPart(); k < m_random.parts.size()) {
        m_random.parts[k].state = State::Running;
        return m_random.parts[k].job;
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
        c.n = std::int32_t(std::min(ScanChunk(m_scan.params.limit), a.Pixels() - c.start));
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

bool EvaluationAhead::JobBack(const std::shared_ptr<AheadJob>& job, bool finished) {
    m_unchanged.store(false, std::memory_order_release);
    bool wake = false;
    if (RectJobBack(job, wake))
        return wake;
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
        RandomPart& part = m_random.parts[random->part];
        if (!finished) {
            part.state = State::Pending;
            return false;
        }
        part.state = State::Done;
        if (job->failed) {
            m_random.failed = true;
        } else {
            AddPart(m_random.batch, part.first, *random->counts);
        }
        ++m_random.partsDone;
        part.job.reset();
        return m_random.Ready() || m_random.failed;
    }
    return false;
}
