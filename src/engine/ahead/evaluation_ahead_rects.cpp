// The recursion's plan: its rectangles in the order the steps take them,
// worked out ahead by searches on the workers (and, for the rectangle the
// next step needs, on the interface thread), and handed to the steps.

#include "engine/ahead/evaluation_ahead.h"

#include <algorithm>
#include <iterator>
#include <new>

namespace {

// Rectangles next to each other in the steps' order that one job takes at
// most, and the pixels they may have to evaluate together (narrow ones
// whole, the others their borders).
constexpr std::size_t kGroup = 16;
constexpr std::int64_t kGroupPixels = 4096;
// The outcomes a search hands over at once: enough to make a trip to the
// plan cheap, few enough that the steps and the other workers need not wait.
constexpr std::size_t kHandOver = 128;
// Of the try budget, the share the interface thread spends on the steps after
// the one it tries, while it is at it.
constexpr std::int64_t kTryOnFraction = 8;

std::size_t CountBytes(const RectOutcome& outcome) {
    return outcome.counts.size() * sizeof(std::int32_t);
}

} // namespace

// Rectangles that come one after the other in the steps' order, worked
// through together with what they split into.
class EvaluationAhead::RectJob : public AheadJob {
public:
    RectJob(const KernelParams& params, std::uint64_t generation, std::shared_ptr<CountCache> cache)
        : generation(generation), search(params, std::move(cache)) {}

    // Finished unless it holds rectangles it has begun: the rest goes back
    // to the plan at every hand-over of a worker's.
    bool RunSlice(std::int64_t budget) override {
        search.Run(budget, kHandOver, &handOver);
        return !search.InProgress();
    }

    const std::uint64_t generation;
    RectSearch search;
    // Set by the interface thread when the next step waits for one of the
    // search's rectangles: it hands over what it has found at once.
    std::atomic<bool> handOver{false};
};

void EvaluationAhead::DropRects() {
    // Running jobs see the new generation when they come back, and are dropped.
    m_unchanged.store(false, std::memory_order_release);
    ++m_rects.generation;
    m_rects.active = false;
    m_rects.cache.reset();
    m_rects.nodes.clear();
    m_rects.pending.clear();
    m_rects.resumed.clear();
    m_rects.bytes = 0;
    m_rects.planBytes = 0;
    m_rects.full = false;
}

void EvaluationAhead::NewRectPlan(const KernelParams& params, const std::vector<PixelRect>& roots) {
    DropRects();
    m_rects.active = true;
    m_rects.params = params;
    // The rectangles' pixels, for the counts the recursion meets again.
    PixelRect area = roots.empty() ? PixelRect{0, 0, -1, -1} : roots.front();
    for (const PixelRect& r : roots) {
        area.left = std::min({area.left, r.left, r.right});
        area.top = std::min({area.top, r.top, r.bottom});
        area.right = std::max({area.right, r.left, r.right});
        area.bottom = std::max({area.bottom, r.top, r.bottom});
    }
    m_rects.cache = CountCache::For(params.limit, area);
    for (std::size_t i = 0; i < roots.size(); ++i) {
        const NodeKey key{std::uint32_t(i), 0, 0};
        m_rects.nodes[key].r = roots[i];
        m_rects.pending.insert(key);
        m_rects.planBytes += sizeof(Node);
    }
}

bool EvaluationAhead::TakeRect(const KernelParams& params, const PixelRect& r,
                               const std::function<std::vector<PixelRect>()>& roots,
                               RectOutcome& out) {
    if (Unchanged(params, r, -1))
        return false;
    // The view computes by other means now.
    m_randomCounts = RandomCounts{};
    WorkerPool& pool = WorkerPool::Instance();
    bool ready = false;
    bool wake = false;
    bool tryHere = false;
    NodeKey key;
    std::uint64_t generation = 0;
    std::shared_ptr<CountCache> cache;
    {
        std::lock_guard<std::mutex> lock(pool.Mutex());
        // A plan for other parameters, or one whose next rectangle is not the
        // stack's (after a restart, or with a palette of another size, which
        // changes the border tests), is made anew from the stack.
        if (!m_rects.active || !SameParams(m_rects.params, params) || m_rects.nodes.empty() ||
            m_rects.nodes.begin()->second.Next() != r) {
            NewRectPlan(params, roots());
        }
        ready = TakeFront(out);
        const auto it = m_rects.nodes.begin();
        if (!ready && it->second.state == State::Running) {
            if (const auto runner = it->second.runner.lock())
                runner->handOver.store(true, std::memory_order_relaxed);
        }
        if (!ready && it->second.state == State::Pending && it->second.job == nullptr &&
            TryIterations() > 0) {
            // No worker has it: the interface thread tries it itself.
            key = it->first;
            generation = m_rects.generation;
            cache = m_rects.cache;
            it->second.state = State::Running;
            m_rects.pending.erase(key);
            tryHere = true;
        } else if (!ready && (it->second.state == State::Running || it->second.job != nullptr)) {
            // A worker has it, or it is how the search holding it goes on,
            // which waits in resumed for the workers to take it up first.
            Ask(params, r, -1);
        }
        // Workers are woken only for jobs there are, so that a worker with
        // nothing to take does not go round between every two steps.
        wake = RectJobWaiting();
    }
    if (wake)
        pool.JobsAdded();
    if (!tryHere)
        return ready;
    ready = TryRect(params, key, r, generation, cache, out, wake);
    if (wake)
        pool.JobsAdded();
    return ready;
}

bool EvaluationAhead::TakeFront(RectOutcome& out) {
    if (m_rects.nodes.empty())
        return false;
    const auto it = m_rects.nodes.begin();
    Node& node = it->second;
    if (node.state != State::Done)
        return false;
    if (node.failed) {
        DropRects();
        throw std::bad_alloc();
    }
    RectResult& result = node.results[node.next++];
    out = std::move(result.outcome);
    m_rects.bytes -= std::min(m_rects.bytes, CountBytes(out));
    m_rects.planBytes -= std::min(m_rects.planBytes, sizeof(RectResult));
    if (node.next == node.results.size()) {
        m_rects.nodes.erase(it);
        m_rects.planBytes -= std::min(m_rects.planBytes, sizeof(Node));
    }
    // Workers stopped by a full budget go on once half of it is free, not
    // at every step.
    if (m_rects.bytes < m_budget / 2 && m_rects.planBytes < kPlanBudget / 2)
        m_rects.full = false;
    return true;
}

bool EvaluationAhead::TryRect(const KernelParams& params, const NodeKey& key, const PixelRect& r,
                              std::uint64_t generation, std::shared_ptr<CountCache> cache,
                              RectOutcome& out, bool& wake) {
    const std::int64_t budget = TryIterations();
    auto job = std::make_shared<RectJob>(params, generation, cache);
    job->search.Add(key, r);
    // Out of memory here ends the computation, and the plan with it. Once
    // the step's own rectangle is known, the search goes on only briefly:
    // other windows' steps come next in this idle call.
    job->search.Run(budget, 1);
    if (!job->search.Results().empty())
        job->search.Run(budget / kTryOnFraction, kHandOver);
    // Everything left, begun or not, goes on in the workers' slices.
    std::lock_guard<std::mutex> lock(WorkerPool::Instance().Mutex());
    // Only this thread makes or drops plans, so the rectangle is still the
    // plan's first one.
    if (generation != m_rects.generation || m_rects.nodes.find(key) == m_rects.nodes.end())
        return false;
    // What the try has split into stays with its search, which a worker
    // takes up whole: given back one by one, the rectangles would come to
    // the front of the plan unbegun, for this thread to try each in turn.
    HandBack(*job, job, false, true);
    const bool ready = TakeFront(out);
    wake = RectJobWaiting();
    return ready;
}

void EvaluationAhead::HandBack(RectJob& job, const std::shared_ptr<AheadJob>& self, bool failed,
                               bool keepAll) {
    // The plan's node for a rectangle, made if it has none.
    const auto nodeFor = [this](const NodeKey& key, const PixelRect& r) -> Node& {
        const auto [it, made] = m_rects.nodes.try_emplace(key);
        if (made)
            m_rects.planBytes += sizeof(Node);
        it->second.r = r;
        return it->second;
    };
    std::deque<RectSearch::Item>& left = job.search.Left();
    std::vector<RectSearch::Item> released;
    if (!failed)
        job.search.HandOver(released, !keepAll);
    // The outcomes, a run for each node of the plan: one the search was
    // given, or one it found after a rectangle it gives back.
    std::vector<RectResult>& results = job.search.Results();
    for (std::size_t begin = 0; begin < results.size();) {
        std::size_t end = begin + 1;
        while (end < results.size() && !results[end].planned)
            ++end;
        if (results[begin].planned) {
            Node& node = nodeFor(results[begin].key, results[begin].r);
            node.state = State::Done;
            node.job.reset();
            node.runner.reset();
            node.next = 0;
            if (begin == 0 && end == results.size())
                node.results = std::move(results);
            else
                node.results.assign(
                    std::make_move_iterator(results.begin() + std::ptrdiff_t(begin)),
                    std::make_move_iterator(results.begin() + std::ptrdiff_t(end)));
            for (const RectResult& result : node.results)
                m_rects.bytes += CountBytes(result.outcome);
            m_rects.planBytes += node.results.size() * sizeof(RectResult);
        }
        begin = end;
    }
    results.clear();
    job.handOver.store(false, std::memory_order_relaxed);

    if (failed) {
        // The steps stop at the first rectangle not worked out.
        if (!left.empty()) {
            Node& node = nodeFor(left.front().key, left.front().r);
            node.state = State::Done;
            node.failed = true;
            node.job.reset();
            node.runner.reset();
            node.results.clear();
        }
        left.clear();
        return;
    }
    // What the search has not begun is anyone's. What it has begun stays
    // with it, and the first of those is how the search is taken up again.
    const auto plan = [&](const RectSearch::Item& item, bool held, bool first) {
        Node& node = nodeFor(item.key, item.r);
        node.state = State::Pending;
        node.runner.reset();
        node.job = held ? self : nullptr;
        if (!held || first)
            m_rects.pending.insert(item.key);
        if (held && first)
            m_rects.resumed.insert(item.key);
    };
    for (const RectSearch::Item& item : released)
        plan(item, false, false);
    for (std::size_t i = 0; i < left.size(); ++i)
        plan(left[i], true, i == 0);
    if (!m_rects.HasRoom(m_budget))
        m_rects.full = true;
}

std::set<EvaluationAhead::NodeKey>::const_iterator EvaluationAhead::RectForWorkers() const {
    if (!m_rects.resumed.empty())
        return m_rects.pending.find(*m_rects.resumed.begin());
    if (m_rects.pending.empty() || TryIterations() <= 0)
        return m_rects.pending.begin();
    // The first one pending is the interface thread's: the steps come to it
    // next, once they have taken what is worked out before it.
    const auto last = std::prev(m_rects.pending.end());
    return last == m_rects.pending.begin() ? m_rects.pending.end() : last;
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

std::shared_ptr<AheadJob> EvaluationAhead::TakeRectJob(std::set<NodeKey>::const_iterator at) {
    // The step may wait for this one: it asks again, and the search is told.
    m_unchanged.store(false, std::memory_order_release);
    const NodeKey key = *at;
    const bool fromBack = std::next(at) == m_rects.pending.end() && at != m_rects.pending.begin() &&
                          m_rects.resumed.empty() && TryIterations() > 0;
    auto after = m_rects.pending.erase(at);
    m_rects.resumed.erase(key);
    Node& first = m_rects.nodes[key];
    first.state = State::Running;
    if (first.job != nullptr) {
        // A search that ran out of its slice.
        first.runner = std::static_pointer_cast<RectJob>(first.job);
        return first.job;
    }
    auto job = std::make_shared<RectJob>(m_rects.params, m_rects.generation, m_rects.cache);
    job->search.Add(key, first.r);
    first.runner = job;
    // The rectangles next to it join while they are small; never the first
    // one pending, which is the interface thread's.
    std::int64_t pixels = 0;
    for (std::size_t taken = 1; taken < kGroup; ++taken) {
        if (fromBack ? after == m_rects.pending.begin() : after == m_rects.pending.end())
            break;
        const auto it = fromBack ? std::prev(after) : after;
        if (fromBack && it == m_rects.pending.begin())
            break;
        Node& node = m_rects.nodes[*it];
        if (node.job != nullptr)
            break; // another search's
        pixels += StepPixels(node.r);
        if (pixels > kGroupPixels)
            break;
        node.state = State::Running;
        node.runner = job;
        job->search.Add(*it, node.r, fromBack);
        after = m_rects.pending.erase(it);
    }
    return job;
}

bool EvaluationAhead::RectJobBack(const std::shared_ptr<AheadJob>& job, bool& wake) {
    auto* rect = dynamic_cast<RectJob*>(job.get());
    if (rect == nullptr)
        return false;
    wake = false;
    if (rect->generation != m_rects.generation)
        return true;
    HandBack(*rect, job, job->failed);
    // Only the rectangle the next step needs is waited for.
    wake = !m_rects.nodes.empty() && m_rects.nodes.begin()->second.state == State::Done;
    return true;
}
