#include "engine/ahead/rect_search.h"

#include <tuple>
#include <utility>

// ---- Keys ------------------------------------------------------------------

bool RectKey::operator<(const RectKey& o) const {
    return std::tie(root, path, depth) < std::tie(o.root, o.path, o.depth);
}

RectKey RectKey::Child(int j) const {
    RectKey k = *this;
    k.path |= std::uint64_t(j) << (62 - 2 * depth);
    ++k.depth;
    return k;
}

// ---- One rectangle ---------------------------------------------------------

RectWork::RectWork(const KernelParams& params, const PixelRect& r)
    : m_params(params), m_r(r), m_narrow(IsNarrowRect(r)), m_test(r) {
    outcome.kind = RectOutcome::Pixels;
    // A narrow rectangle without pixels has nothing to evaluate.
    m_done = m_narrow && (r.right < r.left || r.bottom < r.top);
}

bool RectWork::Next(std::vector<PixelLines>& runs) {
    if (m_done)
        return false;
    if (m_narrow) {
        const int width = m_r.right - m_r.left + 1;
        const int height = m_r.bottom - m_r.top + 1;
        m_run = PixelLines{m_r.left, m_r.top, 1, 0, width, 0, 1, height};
    } else if (!m_test.NextRun(m_run)) {
        return false;
    }
    runs.push_back(m_run);
    return true;
}

void RectWork::Take(const std::int32_t* counts) {
    if (m_done)
        return;
    const PixelLines& run = m_run;
    const std::size_t n = std::size_t(run.n) * std::size_t(run.lines);
    outcome.iterations += PlainIterations(m_params, run, counts);
    if (m_narrow) {
        outcome.counts.assign(counts, counts + n);
        m_done = true;
        return;
    }
    m_indices.resize(n);
    for (std::size_t i = 0; i < n; ++i)
        m_indices[i] = IndexOfCount(counts[i], m_params.nColors);
    m_test.Take(m_indices.data());
    if (!m_test.Done())
        return;
    m_done = true;
    if (m_test.Uniform()) {
        outcome.kind = RectOutcome::Uniform;
        outcome.index = m_test.Index();
    } else {
        outcome.kind = RectOutcome::Split;
    }
}

// ---- Depth first, in shared rounds ------------------------------------------

void RectSearch::Add(const RectKey& key, const PixelRect& r, bool before) {
    if (before)
        m_left.push_front(Item{key, r, true, nullptr});
    else
        m_left.push_back(Item{key, r, true, nullptr});
}

bool RectSearch::InProgress() const {
    for (const Item& item : m_left)
        if (item.work != nullptr && !item.work->Done())
            return true;
    return false;
}

void RectSearch::HandOver(std::vector<Item>& released) {
    std::deque<Item> kept;
    std::vector<std::size_t> place(m_left.size(), 0);
    // Whether the item before left the results' run.
    bool gap = false;
    for (std::size_t i = 0; i < m_left.size(); ++i) {
        Item& item = m_left[i];
        if (item.work != nullptr && item.work->Done()) {
            m_results.push_back(
                RectResult{item.key, item.r, std::move(item.work->outcome), item.planned || gap});
            gap = false;
            continue;
        }
        gap = true;
        item.planned = true;
        if (item.work == nullptr) {
            released.push_back(std::move(item));
            continue;
        }
        place[i] = kept.size();
        kept.push_back(std::move(item));
    }
    // A round under way goes on with the same rectangles, now elsewhere.
    if (m_round)
        for (std::size_t& i : m_round->items)
            i = place[i];
    m_left.swap(kept);
}

void RectSearch::StartRound() {
    m_runs.clear();
    std::vector<std::size_t> items, sizes;
    std::int64_t pixels = 0;
    for (std::size_t i = 0; i < m_left.size(); ++i) {
        if (items.size() >= m_share || pixels >= kRoundPixels)
            break;
        Item& item = m_left[i];
        if (item.work == nullptr)
            item.work = std::make_shared<RectWork>(m_params, item.r);
        const std::size_t before = m_runs.size();
        if (!item.work->Next(m_runs))
            continue;
        std::size_t n = 0;
        for (std::size_t j = before; j < m_runs.size(); ++j)
            n += std::size_t(m_runs[j].n) * std::size_t(m_runs[j].lines);
        items.push_back(i);
        sizes.push_back(n);
        pixels += std::int64_t(n);
    }
    m_round.emplace(Round{CountJob(m_params, m_runs), std::move(items), std::move(sizes)});
}

void RectSearch::EndRound() {
    const std::vector<std::int32_t>& counts = m_round->job.Counts();
    std::size_t at = 0;
    for (std::size_t p = 0; p < m_round->items.size(); ++p) {
        m_left[m_round->items[p]].work->Take(counts.data() + at);
        at += m_round->pixels[p];
    }
    // What the rectangles found split into comes right after each of them,
    // in the order the steps pop it; from the last one back, so that the
    // places of those before stay as they are.
    for (std::size_t p = m_round->items.size(); p > 0; --p) {
        const std::size_t i = m_round->items[p - 1];
        const Item item = m_left[i];
        if (!item.work->Done() || item.work->outcome.kind != RectOutcome::Split ||
            item.key.depth >= RectKey::kMaxDepth)
            continue;
        PixelRect quadrants[4];
        SplitRect(item.r, quadrants);
        Item children[4];
        for (int j = 0; j < 4; ++j)
            children[j] = Item{item.key.Child(j), quadrants[3 - j], false, nullptr};
        m_left.insert(m_left.begin() + std::ptrdiff_t(i + 1), children, children + 4);
    }
    m_round.reset();
}

bool RectSearch::Run(std::int64_t budget, std::size_t cap, const std::atomic<bool>* now) {
    std::int64_t left = budget;
    for (;;) {
        if (!m_round) {
            // What is found goes out in the steps' order.
            while (!m_left.empty() && m_left.front().work != nullptr &&
                   m_left.front().work->Done()) {
                if (m_results.size() >= cap)
                    return false;
                Item& item = m_left.front();
                m_results.push_back(
                    RectResult{item.key, item.r, std::move(item.work->outcome), item.planned});
                m_left.pop_front();
            }
            if (m_left.empty())
                return true;
            if (m_results.size() >= cap || left <= 0)
                return false;
            if (now != nullptr && !m_results.empty() && now->load(std::memory_order_relaxed))
                return false;
            StartRound();
        }
        const bool done = m_round->job.Run(left);
        left -= m_round->job.Spent();
        if (!done)
            return false;
        EndRound();
    }
}
