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

RectWork::RectWork(const KernelParams& params, const PixelRect& r, std::int64_t slice)
    : m_params(params), m_narrow(IsNarrowRect(r)), m_test(r), m_slice(slice) {
    outcome.kind = RectOutcome::Pixels;
    if (m_narrow) {
        const int width = r.right - r.left + 1;
        const int height = r.bottom - r.top + 1;
        if (width > 0 && height > 0)
            m_counts.emplace(
                params, std::vector<PixelLines>{{r.left, r.top, 1, 0, width, 0, 1, height}}, slice);
    }
}

bool RectWork::Run(std::int64_t& left) {
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

// ---- Depth first -----------------------------------------------------------

void RectSearch::Add(const RectKey& key, const PixelRect& r, bool before) {
    if (before)
        m_left.push_front(Item{key, r, true});
    else
        m_left.push_back(Item{key, r, true});
}

void RectSearch::SetSlice(std::int64_t slice) {
    m_slice = slice;
    if (m_work)
        m_work->SetSlice(slice);
}

bool RectSearch::Run(std::int64_t budget, std::size_t cap, const std::atomic<bool>* now) {
    std::int64_t left = budget;
    while (!m_left.empty()) {
        if (m_results.size() >= cap || left <= 0)
            return false;
        if (now != nullptr && !m_results.empty() && now->load(std::memory_order_relaxed))
            return false;
        const Item item = m_left.front();
        if (!m_work)
            m_work.emplace(m_params, item.r, m_slice);
        if (!m_work->Run(left))
            return false;
        // The outcome is kept before the quadrants are: should memory run
        // out in between, no rectangle is lost, only not yet planned.
        m_results.push_back(RectResult{item.key, item.r, std::move(m_work->outcome), item.planned});
        m_work.reset();
        m_left.pop_front();
        if (m_results.back().outcome.kind != RectOutcome::Split ||
            item.key.depth >= RectKey::kMaxDepth)
            continue;
        // The quadrants come next, in the order the steps pop them.
        PixelRect quadrants[4];
        SplitRect(item.r, quadrants);
        for (int j = 3; j >= 0; --j)
            m_left.push_front(Item{item.key.Child(j), quadrants[3 - j], false});
    }
    return true;
}
