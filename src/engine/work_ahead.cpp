// What a step needs, taken from the workers' evaluation ahead of the steps.
// The step itself stays the plain step: it only finds its counts computed.

#include "engine/pixel_work.h"
#include "platform/runtime/crt_rand.h"
#include "platform/runtime/work_beside.h"
#include "view/quirl32_view.h"

#include <algorithm>
#include <cstdint>

namespace {

// The points of a random step taken, counted and drawn at once at most: a
// step of more points goes on over several idle calls, a piece each, so
// that neither its memory nor its drawing grows with the count.
constexpr std::int32_t kRandomPiece = 1 << 14;

// The most iterations a random step may need at worst to be taken in plain
// steps: above it the kernel's fixed costs are worth paying (10 points a
// step: 1.0 times the time in plain steps at limit 500, 0.6 at limit 1000;
// 1000 points at limit 1000: 0.15).
constexpr std::int64_t kRandomPlainMost = std::int64_t(1) << 13;

// Counts waiting ahead of the steps: 2 bytes a pixel of the view, within
// bounds that keep small windows busy and huge pictures small.
std::size_t AheadBudget(const RECT& c) {
    const std::size_t pixels = std::size_t(std::max(c.right - c.left + 1, 1)) *
                               std::size_t(std::max(c.bottom - c.top + 1, 1));
    return std::clamp<std::size_t>(2 * pixels, std::size_t(256) << 10, std::size_t(16) << 20);
}

// The plain loop's iterations one step of the view's method may need at
// worst: every pixel it can evaluate run to the limit. The recursion's
// largest step is the first border test, or the whole area when the window
// is a narrow rectangle itself. The line scan has no cheap steps: it takes
// its counts from the workers a chunk at a time, so that a step costs as
// little as on this thread, and the workers compute on every processor.
// Nor has the random method beyond a few points at low limits.
std::int64_t WorstStepIterations(int method, const RECT& c, std::int32_t limit,
                                 std::int32_t randomPoints) {
    const std::int64_t perPixel = std::max<std::int64_t>(limit, 1);
    switch (method) {
    case Recursion:
        return StepPixels(PixelRect{c.left, c.top, c.right, c.bottom}) * perPixel;
    case LineScan:
        return INT64_MAX;
    case Random: {
        // A random step that goes through the work ahead is still counted
        // here when it is cheap, by the vector kernel and with the counts
        // kept; only a few points at a low limit are faster in plain steps.
        const std::int64_t worst = std::max<std::int64_t>(randomPoints, 0) * perPixel;
        return worst <= kRandomPlainMost ? worst : INT64_MAX;
    }
    default:
        return 0;
    }
}

} // namespace

bool CQuirl32View::PrepareStep() {
    m_stepInput = StepInput{};
    const int threads = AfxWorkerThreads();
    // Every step computes for itself without workers, and where its work at
    // worst is too little to be worth handing over. The bound holds for the
    // whole computation: a new limit, size or point count restarts it.
    const bool pieces = m_nMethod == Random && m_pDoc->m_nRandomPoints > kRandomPiece;
    if (threads == 0 ||
        (!pieces && WorstStepIterations(m_nMethod, m_rcClient, m_pDoc->m_nIterations,
                                        m_pDoc->m_nRandomPoints) <= AfxInlineStepIterations())) {
        DropWorkAhead();
        // The one sequence of random points is taken in the order of the
        // steps: while another view's points are out, this step waits.
        const bool held = m_pAhead != nullptr ? m_pAhead->RandomSequenceHeldByOther()
                                              : EvaluationAhead::RandomSequenceHeld();
        return !(threads > 0 && m_nMethod == Random && held);
    }
    WorkerPool::Instance().SetThreads(threads);
    if (m_pAhead == nullptr)
        m_pAhead = EvaluationAhead::Create();
    m_pAhead->SetBudget(AheadBudget(m_rcClient));
    const KernelParams params = ViewKernelParams(*this);
    const RECT& c = m_rcClient;
    switch (m_nMethod) {
    case Recursion: {
        // The rest of a fill needs nothing more.
        if (m_fill.active)
            return true;
        const PixelRect next = m_pRectStack != nullptr
                                   ? PixelRect{m_pRectStack->left, m_pRectStack->top,
                                               m_pRectStack->right, m_pRectStack->bottom}
                                   : PixelRect{c.left, c.top, c.right, c.bottom};
        const auto pending = [&] {
            std::vector<PixelRect> rects;
            for (const RectNode* n = m_pRectStack; n != nullptr; n = n->next)
                rects.push_back(PixelRect{n->left, n->top, n->right, n->bottom});
            if (rects.empty())
                rects.push_back(next);
            return rects;
        };
        if (!m_pAhead->TakeRect(params, next, pending, m_stepInput.rect))
            return false;
        m_stepInput.kind = StepInput::Rect;
        return true;
    }
    case LineScan: {
        // Where the step will draw, as StepLineScan finds it.
        int x = m_nScanX, y = m_nScanY;
        if (y == 0 && x == 0) {
            y = c.top;
            x = c.left;
        }
        if (x > c.right) {
            x = c.left;
            ++y;
        }
        if (y > c.bottom)
            return true; // the step that finishes draws nothing
        const ScanArea area{c.left, c.top, c.right, c.bottom};
        if (!m_pAhead->TakeScanCount(params, area, x, y, m_stepInput.scanCount))
            return false;
        m_stepInput.kind = StepInput::Scan;
        return true;
    }
    case Random:
        return PrepareRandomStep();
    default:
        return true;
    }
}

bool CQuirl32View::PrepareRandomStep() {
    const std::int32_t points = m_pDoc->m_nRandomPoints;
    if (points <= 0)
        return true;
    const KernelParams params = ViewKernelParams(*this);
    switch (m_pAhead->Random(params)) {
    case EvaluationAhead::RandomState::Ready:
        m_stepInput.random = m_pAhead->TakeRandom();
        m_stepInput.kind = StepInput::Random;
        // The rest of the step's points are still to be taken: no other
        // view may take any before them.
        m_pAhead->HoldRandom(points - m_nRandomDrawn >
                             std::int32_t(m_stepInput.random.points.size()));
        return true;
    case EvaluationAhead::RandomState::Waiting:
        return false;
    case EvaluationAhead::RandomState::None:
        break;
    }
    // The one sequence of points is taken in the order of the steps: while
    // another view's points are out, this step waits.
    if (m_pAhead->RandomSequenceHeldByOther())
        return false;
    const RECT& c = m_rcClient;
    const std::int32_t n = std::min(points - m_nRandomDrawn, kRandomPiece);
    RandomBatch batch;
    batch.points.reserve(std::size_t(n));
    const unsigned before = crt::randstate();
    for (std::int32_t i = 0; i < n; ++i)
        batch.points.push_back(NextRandomPixel(c.left, c.top, c.right, c.bottom));
    const unsigned after = crt::randstate();
    if (m_pAhead->StartRandom(params, PixelRect{c.left, c.top, c.right, c.bottom}, batch, before,
                              after)) {
        // Cheap enough to draw at once.
        m_stepInput.random = std::move(batch);
        m_stepInput.kind = StepInput::Random;
        m_pAhead->HoldRandom(points - m_nRandomDrawn > n);
        return true;
    }
    return false;
}

void CQuirl32View::DropWorkAhead() {
    // A random step drawn in part ends here: its points drawn so far stay,
    // as if the step had had only those.
    m_nRandomDrawn = 0;
    if (m_pAhead != nullptr)
        m_pAhead->Drop();
}

void CQuirl32View::WriteIndex(int x, int y, int index) {
    const COLORREF color = PaletteIndexColor(index);
    if (m_pWindowDC != nullptr)
        m_pWindowDC->SetPixel(x, y, color);
    if (m_pMemDC != nullptr)
        m_pMemDC->SetPixel(x, y, color);
}
