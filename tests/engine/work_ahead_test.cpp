// Evaluation ahead of the steps on worker threads: after every step the
// views' state (both pictures, the stack, the scan position, the flags and
// the stamps) equals what the plain steps on the interface thread give, for
// the worked examples and for random scenarios with commands mid-way, on 1,
// 2 and 8 workers, with every rectangle left to the workers and with the
// interface thread trying rectangles itself (often handing them over half
// done); the idle loop sleeps while views wait and never ends before their
// work is done.

#include "app/quirl32_app.h"
#include "app/set_doc_template.h"
#include "commands/resource_ids.h"
#include "commands/resources.h"
#include "engine/ahead/count_cache.h"
#include "engine/ahead/worker_pool.h"
#include "platform/framework/frame.h"
#include "platform/headless/headless_host.h"
#include "platform/runtime/crt_rand.h"
#include "platform/runtime/timeb.h"
#include "platform/runtime/work_beside.h"
#include "view/quirl32_view.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <random>
#include <string>
#include <vector>

namespace {

// A clock that moves a millisecond at every reading, so that stamps tell
// apart how often and in which order they were taken.
struct CountingClock {
    static inline std::int64_t readings = 0;
    static void Read(_timeb* t) {
        t->time = std::int32_t(1000 + readings / 1000);
        t->millitm = std::uint16_t(readings % 1000);
        ++readings;
    }
};

std::uint64_t Hash(const Surface* s) {
    if (s == nullptr)
        return 0;
    std::uint64_t h = 1469598103934665603ull;
    for (int y = 0; y < s->Height(); ++y)
        for (int x = 0; x < s->Width(); ++x) {
            h ^= s->Row(y)[x];
            h *= 1099511628211ull;
        }
    return h ^ std::uint64_t(s->Width()) << 32 ^ std::uint64_t(s->Height());
}

struct ViewState {
    std::uint64_t window = 0, picture = 0;
    std::vector<std::array<int, 4>> stack;
    int scanX = 0, scanY = 0, working = 0, method = 0, valid = 0, colors = 0;
    std::int64_t start = 0, finish = 0, steps = 0, iterations = 0;
    bool operator==(const ViewState&) const = default;
};

std::ostream& operator<<(std::ostream& out, const ViewState& s) {
    return out << "{step " << s.steps << " window " << s.window << " picture " << s.picture
               << " stack " << s.stack.size() << " scan " << s.scanX << "," << s.scanY
               << " working " << s.working << " valid " << s.valid << " stamps " << s.start << "/"
               << s.finish << " iterations " << s.iterations << "}";
}

// Workers, and the iterations the interface thread tries a rectangle for
// before it hands it to them (0: never).
struct Setup {
    int workers = 0;
    std::int64_t tryIterations = 0;
    // Small pieces: the counts met again kept at every limit, line-scan
    // jobs of 7 pixels, so that the scan crosses from job to job often, and
    // random steps in parts of 7 points, most of them left to the workers.
    bool small = false;
};

std::ostream& operator<<(std::ostream& out, const Setup& s) {
    return out << s.workers << " workers, trying " << s.tryIterations
               << (s.small ? ", small pieces" : "");
}

// The plain steps first, then the setups compared with them: a small try
// budget hands most rectangles over half done, the default one keeps most.
const Setup kSerial{0, 0};
const Setup kSetups[] = {{1, 0, true},    {2, 0},
                         {8, 0},          {1, 3000},
                         {2, 3000, true}, {8, EvaluationAhead::TryIterations(), true}};

// A running application on the headless backend with the given workers.
class Session {
public:
    explicit Session(const Setup& setup)
        : inlineBefore(AfxInlineStepIterations()), tryBefore(EvaluationAhead::TryIterations()),
          cacheBefore(CountCache::FromLimit()), chunkBefore(EvaluationAhead::ScanChunkSet()),
          partBefore(EvaluationAhead::RandomPartSet()),
          randomInlineBefore(EvaluationAhead::RandomInlineIterations()) {
        AfxSetResources(&Quirl32Resources());
        crt::srand(1);
        CountingClock::readings = 0;
        AfxSetClock(&CountingClock::Read);
        app.AddDocTemplate(NewSetDocTemplate());
        frame = new CMDIFrameWnd;
        frame->LoadFrame(IDR_MAINFRAME, 0, nullptr, nullptr);
        app.m_pMainWnd = frame;
        AfxSetWorkerThreads(setup.workers);
        // Every step through the workers, however cheap.
        AfxSetInlineStepIterations(0);
        EvaluationAhead::SetTryIterations(setup.tryIterations);
        if (setup.small) {
            CountCache::SetFromLimit(0);
            EvaluationAhead::SetScanChunk(7);
            EvaluationAhead::SetRandomPart(7);
            EvaluationAhead::SetRandomInlineIterations(3000);
        }
    }
    ~Session() {
        app.CloseAllDocuments();
        app.m_pMainWnd = nullptr;
        delete frame;
        AfxSetClock(nullptr);
        AfxSetWorkerThreads(0);
        AfxSetInlineStepIterations(inlineBefore);
        EvaluationAhead::SetTryIterations(tryBefore);
        CountCache::SetFromLimit(cacheBefore);
        EvaluationAhead::SetScanChunk(chunkBefore);
        EvaluationAhead::SetRandomPart(partBefore);
        EvaluationAhead::SetRandomInlineIterations(randomInlineBefore);
    }

    CQuirl32View* NewView(int width, int height) {
        app.OnFileNew();
        auto* view = dynamic_cast<CQuirl32View*>(host.GetActiveChildFrame()->GetActiveView());
        host.SetViewClientSize(view, width, height);
        host.PumpMessages();
        return view;
    }

    ViewState State(CQuirl32View* v) {
        ViewState s;
        s.window = Hash(host.GetWindowSurface(v));
        s.picture = Hash(v->m_pMemDC->GetSurface());
        for (const RectNode* n = v->m_pRectStack; n != nullptr; n = n->next)
            s.stack.push_back({n->left, n->top, n->right, n->bottom});
        s.scanX = v->m_nScanX;
        s.scanY = v->m_nScanY;
        s.working = v->m_bWorking;
        s.method = v->m_nMethod;
        s.valid = v->m_pDoc->m_bPictureValid;
        s.colors = v->m_nColors;
        s.start = std::int64_t(v->m_tStart.time) * 1000 + v->m_tStart.millitm;
        s.finish = std::int64_t(v->m_tFinish.time) * 1000 + v->m_tFinish.millitm;
        s.steps = v->m_nStepsTaken;
        s.iterations = v->m_nKernelIterations;
        return s;
    }

    HeadlessHost host;
    CQuirl32App app;
    CMDIFrameWnd* frame = nullptr;
    std::int64_t inlineBefore, tryBefore;
    std::int32_t cacheBefore;
    std::int64_t chunkBefore;
    std::int32_t partBefore;
    std::int64_t randomInlineBefore;
};

// One step of the view as the idle loop takes it, waiting for the workers as
// the loop would; false when the view has no work.
bool TakeStep(CQuirl32View* v) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (v->m_bWorking != 0) {
        const std::uint64_t seen = AfxWakeCount();
        const std::int64_t before = v->m_nStepsTaken;
        const BOOL drew = v->IdleStep();
        if (v->m_nStepsTaken != before)
            return true;
        if (std::chrono::steady_clock::now() > deadline) {
            ADD_FAILURE() << "no step within a minute";
            return false;
        }
        // A piece of a step was drawn and the step goes on at once; else
        // the view waits for the workers.
        if (!drew)
            AfxWaitForWake(seen, std::chrono::milliseconds(100));
    }
    return false;
}

struct Action {
    enum Kind { Stop, Compute, Method, Zoom, Scheme, Iterations, Resize, Unzoom } kind = Stop;
    int a = 0, b = 0, c = 0, d = 0;
};

struct Scenario {
    std::string name;
    int width = 0, height = 0, limit = 50, method = Recursion, randomPoints = 10;
    int steps = 0;                              // steps to take at most
    std::vector<std::pair<int, Action>> script; // before step n, do this
};

void Apply(Session& s, CQuirl32View* v, const Action& a) {
    switch (a.kind) {
    case Action::Stop:
        v->OnSetStop();
        break;
    case Action::Compute:
        if (v->m_bWorking == 0)
            v->OnSetCompute();
        break;
    case Action::Method: {
        const UINT ids[] = {ID_METHOD_RECURSION, ID_METHOD_LINESCAN, ID_METHOD_RANDOM};
        s.host.SendCommand(ids[a.a]);
        break;
    }
    case Action::Zoom:
        s.host.PushRubberBand(CRect(a.a, a.b, a.c, a.d));
        v->SendMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(a.a, a.b));
        break;
    case Action::Scheme: {
        const UINT ids[] = {ID_COLORS_STANDARD, ID_COLORS_GRAYSCALE, ID_COLORS_BW};
        s.host.SendCommand(ids[a.a]);
        break;
    }
    case Action::Iterations:
        v->m_pDoc->m_nIterations = a.a;
        v->RestartComputation();
        break;
    case Action::Resize:
        s.host.SetViewClientSize(v, a.a, a.b);
        break;
    case Action::Unzoom:
        s.host.SendCommand(ID_SET_UNZOOM);
        break;
    }
    s.host.PumpMessages();
}

// The state after every step and every command of the scenario.
std::vector<ViewState> Run(const Scenario& sc, const Setup& setup) {
    Session s(setup);
    CQuirl32View* v = s.NewView(sc.width, sc.height);
    v->m_pDoc->m_nIterations = sc.limit;
    v->m_pDoc->m_nRandomPoints = sc.randomPoints;
    v->m_nMethod = sc.method;
    std::vector<ViewState> states;
    std::size_t next = 0;
    for (int step = 0; step < sc.steps; ++step) {
        for (; next < sc.script.size() && sc.script[next].first == step; ++next) {
            Apply(s, v, sc.script[next].second);
            states.push_back(s.State(v));
        }
        if (TakeStep(v))
            states.push_back(s.State(v));
        else if (next == sc.script.size())
            break;
    }
    return states;
}

void ExpectSameAsSerial(const Scenario& sc) {
    const std::vector<ViewState> serial = Run(sc, kSerial);
    ASSERT_FALSE(serial.empty()) << sc.name;
    for (const Setup& setup : kSetups) {
        const std::vector<ViewState> ahead = Run(sc, setup);
        ASSERT_EQ(ahead.size(), serial.size()) << sc.name << " on " << setup;
        for (std::size_t i = 0; i < serial.size(); ++i)
            ASSERT_EQ(ahead[i], serial[i]) << sc.name << " on " << setup << ", state " << i;
    }
}

Scenario Whole(std::string name, int w, int h, int method = Recursion, int limit = 50) {
    Scenario sc;
    sc.name = std::move(name);
    sc.width = w;
    sc.height = h;
    sc.method = method;
    sc.limit = limit;
    sc.steps = 2000000;
    return sc;
}

TEST(WorkAhead, WorkedExamplesStepByStep) {
    ExpectSameAsSerial(Whole("first split 300x200", 300, 200));
    ExpectSameAsSerial(Whole("5x5", 5, 5));
    ExpectSameAsSerial(Whole("narrow 4 high", 90, 4));
    ExpectSameAsSerial(Whole("line scan 3x2", 3, 2, LineScan));
    ExpectSameAsSerial(Whole("line scan 40x30 at 1000", 40, 30, LineScan, 1000));
    ExpectSameAsSerial(Whole("limit 0", 30, 20, Recursion, 0));
    ExpectSameAsSerial(Whole("limit 1", 30, 20, LineScan, 1));
    Scenario unzoom = Whole("unzoom: one fill", 300, 200);
    unzoom.script = {{0, {Action::Unzoom}}};
    ExpectSameAsSerial(unzoom);
    // Larger than one idle call fills: drawn in bands, one step all the same.
    ExpectSameAsSerial(Whole("limit 0: one fill in bands", 600, 500, Recursion, 0));
    Scenario random = Whole("random points", 300, 200, Random);
    random.steps = 40;
    ExpectSameAsSerial(random);
    Scenario none = Whole("no random points", 30, 20, Random);
    none.randomPoints = 0;
    none.steps = 5;
    ExpectSameAsSerial(none);
    // Steps of more points than one piece: each is drawn over several idle
    // calls and counts as one step once its last piece is drawn.
    Scenario pieces = Whole("random steps in pieces", 300, 200, Random, 300);
    pieces.randomPoints = 40000;
    pieces.steps = 3;
    pieces.script = {{2, {Action::Scheme, 1}}};
    ExpectSameAsSerial(pieces);
    // Deep: counts far beyond the first pass, and orbits iterated by hand.
    Scenario deep = Whole("seahorse at 30000000", 24, 16, Recursion, 30000000);
    deep.script = {{0, {Action::Zoom, 180, 60, 186, 64}}};
    ExpectSameAsSerial(deep);
}

TEST(WorkAhead, CommandsMidwayKeepTheirMeaning) {
    Scenario sc = Whole("recursion, then line scan, then back", 80, 60, Recursion, 255);
    sc.script = {{30, {Action::Method, LineScan}},
                 {200, {Action::Method, Recursion}},
                 {260, {Action::Method, LineScan}}};
    ExpectSameAsSerial(sc);

    sc = Whole("stop and compute", 80, 60, LineScan, 200);
    sc.script = {{50, {Action::Stop}}, {51, {Action::Method, Recursion}}, {52, {Action::Compute}}};
    ExpectSameAsSerial(sc);

    sc = Whole("scheme changes mid-way", 120, 90, Recursion, 1000);
    sc.script = {{40, {Action::Scheme, 1}}, {90, {Action::Scheme, 2}}, {140, {Action::Scheme, 0}}};
    ExpectSameAsSerial(sc);

    sc = Whole("zoom, limit, resize", 100, 70, Recursion, 100);
    sc.script = {{25, {Action::Zoom, 30, 20, 60, 45}},
                 {60, {Action::Iterations, 2000}},
                 {90, {Action::Resize, 70, 90}},
                 {120, {Action::Unzoom}}};
    ExpectSameAsSerial(sc);

    sc = Whole("random, stopped and switched", 60, 40, Random, 5000);
    sc.randomPoints = 25;
    sc.steps = 120;
    sc.script = {{20, {Action::Stop}},
                 {21, {Action::Compute}},
                 {40, {Action::Method, LineScan}},
                 {70, {Action::Method, Random}},
                 {90, {Action::Scheme, 1}}};
    ExpectSameAsSerial(sc);
}

TEST(WorkAhead, RandomScenarios) {
    std::mt19937 gen(11);
    const auto pick = [&](int lo, int hi) {
        return std::uniform_int_distribution<int>(lo, hi)(gen);
    };
    const int limits[] = {1, 50, 255, 1000, 20000};
    for (int n = 0; n < 12; ++n) {
        Scenario sc;
        sc.width = pick(1, 90);
        sc.height = pick(1, 70);
        sc.limit = limits[pick(0, 4)];
        sc.method = pick(0, 2);
        sc.randomPoints = pick(0, 30);
        sc.steps = pick(50, 600);
        for (int step = pick(0, 40); step < sc.steps; step += pick(5, 120)) {
            Action a;
            a.kind = Action::Kind(pick(0, 7));
            switch (a.kind) {
            case Action::Method:
            case Action::Scheme:
                a.a = pick(0, 2);
                break;
            case Action::Zoom:
                a.a = pick(0, sc.width / 2);
                a.b = pick(0, sc.height / 2);
                a.c = a.a + pick(2, 30);
                a.d = a.b + pick(2, 30);
                break;
            case Action::Iterations:
                a.a = limits[pick(0, 4)];
                break;
            case Action::Resize:
                a.a = pick(1, 90);
                a.b = pick(1, 70);
                break;
            default:
                break;
            }
            sc.script.emplace_back(step, a);
            if (a.kind == Action::Stop)
                sc.script.emplace_back(step + pick(1, 10), Action{Action::Compute});
        }
        sc.name = "scenario " + std::to_string(n);
        ExpectSameAsSerial(sc);
    }
}

struct WindowSetup {
    int width = 0, height = 0, method = Recursion, limit = 50, randomPoints = 10;
};

// A step some window took, and its state after it.
struct Event {
    int window = 0;
    ViewState state;
};

// Windows made in this order, stepped by the application's idle handler as
// the message loop calls it. Once schemeAt events are taken the colour
// scheme changes, once closeAt are, the window closeWindow closes (where
// that happened is written back). Returns every window's steps in the order
// they were taken, or replays the given ones on the plain steps and
// compares.
std::vector<Event> RunWindows(const std::vector<WindowSetup>& setups, const Setup& setup,
                              std::size_t maxEvents, std::size_t& schemeAt, std::size_t& closeAt,
                              int closeWindow, const std::vector<Event>* replay = nullptr) {
    Session s(setup);
    std::vector<CQuirl32View*> views;
    for (const WindowSetup& w : setups) {
        CQuirl32View* v = s.NewView(w.width, w.height);
        v->m_pDoc->m_nIterations = w.limit;
        v->m_pDoc->m_nRandomPoints = w.randomPoints;
        v->m_nMethod = w.method;
        views.push_back(v);
    }
    bool schemed = false, closed = false;
    const auto between = [&](std::size_t at) {
        if (at >= schemeAt && !schemed) {
            s.host.SendCommand(ID_COLORS_GRAYSCALE);
            schemeAt = at;
            schemed = true;
        }
        if (at >= closeAt && !closed) {
            auto* frame = dynamic_cast<CMDIChildWnd*>(views[std::size_t(closeWindow)]->GetParent());
            s.host.ActivateChildFrame(frame);
            s.host.SendCommand(ID_FILE_CLOSE);
            views[std::size_t(closeWindow)] = nullptr;
            closeAt = at;
            closed = true;
        }
    };
    std::vector<Event> events;
    if (replay != nullptr) {
        for (const Event& e : *replay) {
            between(events.size());
            CQuirl32View* v = views[std::size_t(e.window)];
            EXPECT_NE(v, nullptr);
            if (v == nullptr)
                break;
            v->IdleStep();
            events.push_back(Event{e.window, s.State(v)});
            EXPECT_EQ(events.back().state, e.state)
                << "window " << e.window << " after event " << events.size() - 1;
            if (events.back().state != e.state)
                break;
        }
        return events;
    }
    long count = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
    while (events.size() < maxEvents && std::chrono::steady_clock::now() < deadline) {
        between(events.size());
        std::vector<std::int64_t> before;
        for (CQuirl32View* v : views)
            before.push_back(v != nullptr ? v->m_nStepsTaken : 0);
        const std::uint64_t seen = AfxWakeCount();
        const BOOL more = s.app.OnIdle(count++);
        // The handler steps the newest window first.
        for (int i = int(views.size()) - 1; i >= 0; --i) {
            CQuirl32View* v = views[std::size_t(i)];
            if (v != nullptr && v->m_nStepsTaken != before[std::size_t(i)])
                events.push_back(Event{i, s.State(v)});
        }
        if (!more) {
            bool working = false;
            for (CQuirl32View* v : views)
                working = working || (v != nullptr && v->m_bWorking != 0);
            if (!working)
                break;
            AfxWaitForWake(seen, std::chrono::milliseconds(100));
        }
    }
    return events;
}

void ExpectWindowsAsSerial(const std::vector<WindowSetup>& setups, std::size_t maxEvents,
                           std::size_t schemeAt, std::size_t closeAt, int closeWindow) {
    for (const Setup& setup : kSetups) {
        std::size_t scheme = schemeAt, close = closeAt;
        const std::vector<Event> ahead =
            RunWindows(setups, setup, maxEvents, scheme, close, closeWindow);
        ASSERT_FALSE(ahead.empty());
        const std::vector<Event> serial =
            RunWindows(setups, kSerial, maxEvents, scheme, close, closeWindow, &ahead);
        EXPECT_EQ(serial.size(), ahead.size()) << setup;
    }
}

TEST(WorkAhead, TwoWindowsHeavyAndLight) {
    // A heavy window beside a light one, both random ones sharing the one
    // sequence of points; the heavy one closes mid-way.
    ExpectWindowsAsSerial({{60, 40, Recursion, 200000}, {30, 20, Recursion, 50}}, 100000, 50, 400,
                          0);
    ExpectWindowsAsSerial({{40, 30, Random, 3000, 20}, {30, 20, Random, 50, 7}}, 300, 100, 1000, 0);
    // A step in pieces holds the sequence from one piece to the next.
    ExpectWindowsAsSerial({{300, 200, Random, 1000, 40000}, {30, 20, Random, 50, 7}}, 12, 5, 100,
                          0);
}

TEST(WorkAhead, StopOrSwitchInTheMiddleOfAFillInBands) {
    // Stop or a method switch between two bands of a fill completes the
    // step first, as if it had been drawn in one idle call.
    const auto run = [](bool bands, Action then) {
        Session s(kSerial);
        CQuirl32View* v = s.NewView(600, 500);
        Apply(s, v, Action{Action::Iterations, 0}); // one uniform rectangle
        const std::uint64_t blank = Hash(v->m_pMemDC->GetSurface());
        if (bands) {
            v->IdleStep();
            EXPECT_EQ(v->m_nStepsTaken, 0);
            EXPECT_NE(Hash(v->m_pMemDC->GetSurface()), blank);
        } else {
            EXPECT_TRUE(TakeStep(v));
        }
        Apply(s, v, then);
        return s.State(v);
    };
    for (const Action& then : {Action{Action::Stop}, Action{Action::Method, LineScan}}) {
        const ViewState whole = run(false, then);
        EXPECT_EQ(whole.steps, 1);
        EXPECT_EQ(whole.working, 0);
        EXPECT_EQ(run(true, then), whole);
    }
}

TEST(WorkAhead, StopInTheMiddleOfAStepInPieces) {
    // Stopped after its first piece, a step keeps what it drew, as a step of
    // only those points would, and gives the sequence back from there.
    constexpr int kPiece = 1 << 14;
    std::uint64_t drawn = 0;
    unsigned generator = 0;
    {
        Session s(kSetups[1]); // two workers, every piece theirs
        CQuirl32View* v = s.NewView(300, 200);
        v->m_pDoc->m_nIterations = 1000;
        v->m_pDoc->m_nRandomPoints = 40000;
        v->m_nMethod = Random;
        const std::uint64_t blank = Hash(v->m_pMemDC->GetSurface());
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (Hash(v->m_pMemDC->GetSurface()) == blank &&
               std::chrono::steady_clock::now() < deadline) {
            const std::uint64_t seen = AfxWakeCount();
            if (!v->IdleStep())
                AfxWaitForWake(seen, std::chrono::milliseconds(100));
        }
        EXPECT_EQ(v->m_nStepsTaken, 0);
        v->OnSetStop();
        drawn = Hash(v->m_pMemDC->GetSurface());
        generator = crt::randstate();
        // Computing again goes on with whole steps from there.
        v->OnSetCompute();
        EXPECT_TRUE(TakeStep(v));
        EXPECT_EQ(v->m_nStepsTaken, 1);
    }
    Session s(kSerial);
    CQuirl32View* v = s.NewView(300, 200);
    v->m_pDoc->m_nIterations = 1000;
    v->m_pDoc->m_nRandomPoints = kPiece;
    v->m_nMethod = Random;
    ASSERT_TRUE(TakeStep(v));
    EXPECT_EQ(Hash(v->m_pMemDC->GetSurface()), drawn);
    EXPECT_EQ(crt::randstate(), generator);
}

TEST(WorkAhead, AWorkerOutOfMemoryStopsTheComputationWithOneMessage) {
    for (const int method : {Recursion, LineScan, Random}) {
        SCOPED_TRACE(method);
        Session s(kSetups[1]); // two workers, every step theirs
        EvaluationAhead::SetRandomInlineIterations(0);
        CQuirl32View* v = s.NewView(120, 80);
        v->m_pDoc->m_nIterations = 5000;
        v->m_pDoc->m_nRandomPoints = 500;
        v->m_nMethod = method;
        v->OnSetStop();
        v->OnSetCompute();
        const unsigned generator = crt::randstate();
        WorkerPool::FailNextSlices(1);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (v->m_bWorking != 0 && std::chrono::steady_clock::now() < deadline) {
            const std::uint64_t seen = AfxWakeCount();
            if (!v->IdleStep())
                AfxWaitForWake(seen, std::chrono::milliseconds(100));
        }
        WorkerPool::FailNextSlices(0);
        // Stopped, not finished, with one message; a random step's points
        // go back to the generator.
        EXPECT_EQ(v->m_bWorking, 0);
        EXPECT_EQ(v->m_tFinish.time, v->m_tStart.time);
        ASSERT_EQ(s.host.MessageBoxes().size(), 1u);
        EXPECT_EQ(s.host.MessageBoxes()[0].text, "Out of memory.");
        if (method == Random) {
            EXPECT_EQ(crt::randstate(), generator);
        }
        // Computing again goes on without another message.
        v->OnSetCompute();
        for (int step = 0; step < 5; ++step)
            TakeStep(v);
        EXPECT_GE(v->m_nStepsTaken, 5);
        EXPECT_EQ(s.host.MessageBoxes().size(), 1u);
    }
}

TEST(WorkAhead, ThirtyWindows) {
    std::mt19937 gen(30);
    const auto pick = [&](int lo, int hi) {
        return std::uniform_int_distribution<int>(lo, hi)(gen);
    };
    std::vector<WindowSetup> setups;
    for (int i = 0; i < 30; ++i)
        setups.push_back(
            {pick(2, 40), pick(2, 30), pick(0, 2), pick(0, 1) ? 50 : 2000, pick(0, 12)});
    ExpectWindowsAsSerial(setups, 6000, 700, 1500, 7);
}

TEST(WorkAhead, RoundsOverSeveralIdleCallsKeepTheirOrder) {
    // Steps in the order the idle calls take them, as indices of the views.
    const auto order = [](std::chrono::microseconds budget, int calls, int closeAfter) {
        CQuirl32App::SetIdleRoundBudget(budget);
        Session s(kSerial);
        std::vector<CQuirl32View*> views;
        for (int i = 0; i < 3; ++i)
            views.push_back(s.NewView(60, 40));
        std::vector<int> stepped;
        for (int call = 0; call < calls; ++call) {
            if (call == closeAfter) {
                // The view the round goes on with closes first.
                s.host.ActivateChildFrame(dynamic_cast<CMDIChildWnd*>(views[1]->GetParent()));
                s.host.SendCommand(ID_FILE_CLOSE);
                views[1] = nullptr;
            }
            std::vector<std::int64_t> before;
            for (CQuirl32View* v : views)
                before.push_back(v != nullptr ? v->m_nStepsTaken : 0);
            EXPECT_TRUE(s.app.OnIdle(call));
            for (int i = 2; i >= 0; --i)
                if (views[std::size_t(i)] != nullptr &&
                    views[std::size_t(i)]->m_nStepsTaken != before[std::size_t(i)])
                    stepped.push_back(i);
        }
        CQuirl32App::SetIdleRoundBudget(std::chrono::microseconds(4000));
        return stepped;
    };
    // Whole rounds, newest view first; one view a call gives the same order.
    const std::vector<int> rounds = order(std::chrono::seconds(10), 4, -1);
    EXPECT_EQ(rounds, (std::vector<int>{2, 1, 0, 2, 1, 0, 2, 1, 0, 2, 1, 0}));
    EXPECT_EQ(order(std::chrono::microseconds(0), 12, -1), rounds);
    // Closed before its turn, the round goes on with the view after it.
    EXPECT_EQ(order(std::chrono::microseconds(0), 7, 4), (std::vector<int>{2, 1, 0, 2, 0, 2, 0}));
}

} // namespace
