// Many set windows at once: thirty computing together stay responsive and
// hold bounded memory, which comes back when they close; a thousand windows
// opened and closed leave nothing behind. (The sanitizer build adds its leak
// check; speed and memory figures come from the load benchmark.)

#include "support/heap_bytes.h"
#include "support/set_window.h"
#include "support/temp_folder.h"

#include "app/set_doc_template.h"
#include "platform/docview/doctemplate.h"

#include <algorithm>
#include <vector>

namespace {

constexpr int kWindows = 30;
constexpr UINT WM_TEST_COMMAND = WM_USER + 100;

// A window that turns a posted message into a command, as a menu choice or
// a key reaches the program as a message between two idle calls.
class CommandMessages : public CWnd {
public:
    explicit CommandMessages(HeadlessHost& host) {
        OnMessage(WM_TEST_COMMAND, [this, &host](WPARAM id, LPARAM) -> LRESULT {
            handledAfterCalls.push_back(idleCalls);
            host.SendCommand(UINT(id));
            return 0;
        });
    }
    int idleCalls = 0;
    std::vector<int> handledAfterCalls;
};

int StackDepth(const CQuirl32View* v) {
    int depth = 0;
    for (const RectNode* n = v->m_pRectStack; n != nullptr; n = n->next)
        ++depth;
    return depth;
}

class Load : public SetWindowTest {
protected:
    std::vector<CQuirl32View*> OpenWindows(int count) {
        std::vector<CQuirl32View*> views;
        for (int i = 0; i < count; ++i) {
            app.OnFileNew();
            views.push_back(
                dynamic_cast<CQuirl32View*>(host.GetActiveChildFrame()->GetActiveView()));
        }
        host.PumpMessages();
        return views;
    }

    int RegisteredViews() const {
        int n = 0;
        for (const ViewRegistryNode* p = app.m_viewRegistry; p != nullptr; p = p->pNext)
            ++n;
        return n;
    }

    std::size_t OpenDocuments() const {
        auto* t = static_cast<CMultiDocTemplate*>(app.GetFirstDocTemplate());
        return t->GetDocuments().size();
    }

    // Everything of the set windows is gone.
    void ExpectNothingOpen() {
        EXPECT_EQ(RegisteredViews(), 0);
        EXPECT_EQ(OpenDocuments(), 0u);
        EXPECT_TRUE(host.ChildFrames().empty());
        EXPECT_EQ(host.GetActiveChildFrame(), nullptr);
    }
};

} // namespace

TEST_F(Load, ThirtyComputingWindowsAnswerEveryCommandBeforeTheNextIdleCall) {
    CommandMessages messages(host);
    host.AttachWindow(&messages, 10, 10);
    const std::vector<CQuirl32View*> views = OpenWindows(kWindows);
    ASSERT_EQ(RegisteredViews(), kWindows);
    CQuirl32View* active = views.back();

    // While all thirty compute, commands come in between idle calls.
    int deepest = 0;
    const UINT commands[] = {ID_SET_STOP, ID_METHOD_LINESCAN,  ID_SET_COMPUTE,
                             ID_ITER_100, ID_COLORS_GRAYSCALE, ID_SET_UNZOOM};
    for (const UINT id : commands) {
        for (int i = 0; i < 25; ++i) {
            ASSERT_EQ(host.RunIdle(app, 1), 1);
            ++messages.idleCalls;
            for (const CQuirl32View* v : views)
                deepest = std::max(deepest, StackDepth(v));
        }
        EXPECT_TRUE(std::all_of(views.begin(), views.end() - 1,
                                [](const CQuirl32View* v) { return v->m_bWorking != 0; }));
        host.PostMessage(&messages, WM_TEST_COMMAND, id, 0);
        const int before = messages.idleCalls;
        ASSERT_EQ(host.RunIdle(app, 1), 1);
        ++messages.idleCalls;
        ASSERT_FALSE(messages.handledAfterCalls.empty());
        EXPECT_EQ(messages.handledAfterCalls.back(), before) << id;
    }
    EXPECT_EQ(active->m_nMethod, LineScan);
    EXPECT_EQ(Doc(active).m_nIterations, 100);
    EXPECT_EQ(app.m_paletteScheme, Grayscale);

    // They all finish, with the rectangle stacks shallow throughout: three
    // nodes a level for the eight levels of a 252 x 230 picture.
    host.PostMessage(frame, 0, 0, 0);
    while (!host.PumpUntilIdle(app, 1000))
        for (const CQuirl32View* v : views)
            deepest = std::max(deepest, StackDepth(v));
    for (const CQuirl32View* v : views)
        EXPECT_EQ(v->m_bWorking, 0);
    EXPECT_GT(deepest, 3);
    EXPECT_LE(deepest, 3 * 8 + 1);
}

TEST_F(Load, ClosingComputingWindowsGivesBackTheirMemory) {
    // Thirty windows compute a while; half close by the Close command, the
    // rest at once. The heap in use while they run and after they closed.
    auto round = [&] {
        OpenWindows(kWindows);
        host.PostMessage(frame, 0, 0, 0);
        host.RunIdle(app, 300);
        const std::size_t running = HeapBytesInUse();
        for (int i = 0; i < kWindows / 2; ++i)
            EXPECT_TRUE(host.SendCommand(ID_FILE_CLOSE));
        host.RunIdle(app, 100);
        app.CloseAllDocuments();
        ExpectNothingOpen();
        return running;
    };

    // The first round makes what is made once per program, and lets the
    // lists of windows and documents grow to thirty.
    round();
    const std::size_t before = HeapBytesInUse();
    const std::size_t running = round() - before;
    // Two pictures of 252 x 230 four-byte pixels a window, and little else.
    EXPECT_GT(running, std::size_t(kWindows) * 2 * 252 * 230 * 4);
    EXPECT_LT(running, std::size_t(kWindows) * 3 * 252 * 230 * 4);
    EXPECT_LE(HeapBytesInUse(), before + 4096);
}

TEST_F(Load, AThousandWindowsOpenedAndClosedLeaveNothingBehind) {
    TempFolder folder;
    const std::string file = folder.Write("set.qrl", SetFileBytes(-2.1, 1.5, -1.2, 1.2, 60, 10));
    CommandMessages messages(host);
    host.AttachWindow(&messages, 10, 10);

    auto cycle = [&](int i) {
        // New sets and opened files, a few steps each, some zoomed, undone,
        // copied or given Info, then closed by the command or all at once.
        if (i % 2 == 0)
            app.OnFileNew();
        else
            ASSERT_NE(app.OpenDocumentFile(file), nullptr);
        auto* v = dynamic_cast<CQuirl32View*>(host.GetActiveChildFrame()->GetActiveView());
        ASSERT_NE(v, nullptr);
        host.PostMessage(frame, 0, 0, 0);
        host.RunIdle(app, 3);
        if (i % 5 == 0) {
            host.PushRubberBand(CRect(10, 10, 100, 80));
            v->SendMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(10, 10));
            host.SendCommand(ID_SET_UNZOOM);
            host.SendCommand(ID_EDIT_UNDO);
            host.SendCommand(ID_EDIT_COPY);
            host.PushDialogResponder([](CDialog&) { return IDOK; });
            host.SendCommand(ID_SET_INFO);
            host.RunIdle(app, 3);
        }
        if (i % 3 == 0)
            app.CloseAllDocuments();
        else
            host.PostMessage(&messages, WM_TEST_COMMAND, ID_FILE_CLOSE, 0);
        host.PumpMessages();
    };

    cycle(0);
    const std::size_t before = HeapBytesInUse();
    for (int i = 1; i <= 1000; ++i) {
        cycle(i);
        if (HasFatalFailure())
            return;
    }
    ExpectNothingOpen();
    EXPECT_EQ(messages.handledAfterCalls.size(), 667u);
    // What the host records of a run (message boxes, dialogs shown, the
    // clipboard) may grow a little; a window's worth may not.
    EXPECT_LE(HeapBytesInUse(), before + 16384);
}
