#include "engine/ahead/rect_search.h"

#include <algorithm>
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
    m_at = -1;
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

// ---- Depth first, in one stream ---------------------------------------------

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

void RectSearch::HandOver(std::vector<Item>& released, bool release) {
    std::deque<Item> kept;
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
        if (item.work == nullptr && release) {
            released.push_back(std::move(item));
            continue;
        }
        kept.push_back(std::move(item));
    }
    m_left.swap(kept);
}

bool RectSearch::Feed() {
    // Rectangles whose pixels have not all begun, and those pixels; the
    // others wait only for orbits in flight, which take no room.
    std::size_t waiting = 0, out = 0;
    std::int64_t pixels = 0;
    for (const Item& item : m_left) {
        if (item.work != nullptr && item.work->Out()) {
            ++out;
            if (item.work->Until() > m_stream.Begun()) {
                ++waiting;
                pixels += item.work->Until() - std::max(item.work->At(), m_stream.Begun());
            }
        }
    }
    bool fed = false;
    for (Item& item : m_left) {
        if (item.work != nullptr && (item.work->Done() || item.work->Out()))
            continue;
        if (out >= 2 * m_share || m_stream.End() - m_stream.First() >= kHeldPixels)
            return fed;
        if (waiting >= m_share || pixels >= kWaitingPixels)
            return true;
        if (item.work == nullptr)
            item.work = std::make_shared<RectWork>(m_params, item.r);
        m_runs.clear();
        if (!item.work->Next(m_runs))
            continue;
        item.work->SentAt(m_stream.Append(m_runs));
        fed = true;
        ++waiting;
        ++out;
        pixels += item.work->Until() - item.work->At();
    }
    return fed;
}

void RectSearch::Collect() {
    // From the last one back, so that what a rectangle splits into goes
    // right after it, in the order the steps pop it, and the places of
    // those before stay as they are.
    std::int64_t keep = m_stream.End();
    for (std::size_t i = m_left.size(); i > 0; --i) {
        const Item item = m_left[i - 1];
        if (item.work == nullptr || !item.work->Out())
            continue;
        if (!m_stream.Counted(item.work->At(), item.work->Until())) {
            keep = std::min(keep, item.work->At());
            continue;
        }
        item.work->Take(m_stream.CountsAt(item.work->At()));
        if (!item.work->Done() || item.work->outcome.kind != RectOutcome::Split ||
            item.key.depth >= RectKey::kMaxDepth)
            continue;
        PixelRect quadrants[4];
        SplitRect(item.r, quadrants);
        Item children[4];
        for (int j = 0; j < 4; ++j)
            children[j] = Item{item.key.Child(j), quadrants[3 - j], false, nullptr};
        m_left.insert(m_left.begin() + std::ptrdiff_t(i), children, children + 4);
    }
    // The counts taken are not needed again: all forgotten once nothing is
    // out, else in large pieces.
    const std::int64_t held = m_stream.End() - m_stream.First();
    const std::int64_t spare = keep - m_stream.First();
    if (spare > 0 && (spare == held || (2 * spare >= held && spare >= kWaitingPixels)))
        m_stream.Forget(keep);
}

bool RectSearch::Run(std::int64_t budget, std::size_t cap, const std::atomic<bool>* now) {
    std::int64_t left = budget;
    for (bool first = true;; first = false) {
        // What is found goes out in the steps' order.
        while (!m_left.empty() && m_left.front().work != nullptr && m_left.front().work->Done()) {
            if (m_results.size() >= cap)
                return false;
            Item& item = m_left.front();
            m_results.push_back(
                RectResult{item.key, item.r, std::move(item.work->outcome), item.planned});
            m_left.pop_front();
        }
        if (m_left.empty())
            return true;
        if (m_results.size() >= cap || (left <= 0 && !first))
            return false;
        const bool more = Feed();
        // Asked to hand over, it does so with the rectangles the steps take
        // next begun, so that they stay with it rather than going back to
        // the plan unbegun, for the interface thread to try one by one.
        if (now != nullptr && !m_results.empty() && now->load(std::memory_order_relaxed))
            return false;
        // While there are pixels to give, the orbits left in flight once all
        // the pixels given have begun run on beside the next ones.
        if (!m_stream.Done()) {
            m_stream.Run(left, more);
            left -= m_stream.Spent();
        }
        Collect();
    }
}
