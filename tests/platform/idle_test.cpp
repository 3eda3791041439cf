// The idle contract of the headless loop: counts from 0 after each message,
// the framework's own idle work at count 0, paints that do not restart the
// count, and no idle call inside a modal loop.

#include "fixture.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace {

class Idle : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(app.InitInstance());
        app.OnFileNew();
        view = static_cast<TestView*>(static_cast<CMDIFrameWnd*>(app.m_pMainWnd)->GetActiveView());
    }
    HeadlessHost host;
    TestApp app;
    TestView* view = nullptr;
};

TEST_F(Idle, TheFrameworkAsksForMoreOnlyAtCountZeroAndRefreshesTheToolbar) {
    const int refreshes = host.ToolBarRefreshes();
    EXPECT_TRUE(host.PumpUntilIdle(app));
    EXPECT_EQ(app.m_idleCounts, (std::vector<long>{0, 1}));
    EXPECT_EQ(host.ToolBarRefreshes(), refreshes + 1);
    EXPECT_TRUE(host.ToolBarStates().at(ID_FILE_NEW).enabled);
    EXPECT_FALSE(host.ToolBarStates().at(ID_TEST_A).enabled);

    // Idle has ended: nothing more until a message arrives.
    EXPECT_EQ(host.RunIdle(app), 0);
    EXPECT_EQ(CWinApp().OnIdle(1), FALSE);
}

TEST_F(Idle, APostedMessageRestartsTheCountAndIsHandledBetweenIdleCalls) {
    std::vector<CString> events;
    view->OnMessage(WM_IDLEUPDATECMDUI, [&](WPARAM, LPARAM) -> LRESULT {
        events.push_back("message");
        return 0;
    });
    app.m_nExtraIdle = 4;
    EXPECT_EQ(host.RunIdle(app, 3), 3);
    EXPECT_EQ(app.m_idleCounts, (std::vector<long>{0, 1, 2}));
    EXPECT_EQ(host.NextIdleCount(), 3);

    view->PostMessage(WM_IDLEUPDATECMDUI);
    EXPECT_EQ(host.QueuedMessageCount(), 1u);
    EXPECT_TRUE(host.PumpUntilIdle(app));
    EXPECT_EQ(events.size(), 1u);
    // The last extra call was used at count 0; at count 1 the base asks for no more.
    EXPECT_EQ(app.m_idleCounts, (std::vector<long>{0, 1, 2, 0, 1}));
}

TEST_F(Idle, PaintsRunBeforeIdleWithoutRestartingTheCount) {
    EXPECT_TRUE(host.IsPaintPending(view)); // a new window needs painting
    app.m_nExtraIdle = 10;
    host.RunIdle(app, 2);
    EXPECT_FALSE(host.IsPaintPending(view));
    EXPECT_EQ(view->m_nDraws, 1);
    view->Invalidate(FALSE);
    host.RunIdle(app, 1);
    EXPECT_EQ(view->m_nDraws, 2);
    EXPECT_EQ(app.m_idleCounts, (std::vector<long>{0, 1, 2}));

    // UpdateWindow paints at once, and only when a paint is due.
    view->Invalidate(FALSE);
    view->UpdateWindow();
    view->UpdateWindow();
    EXPECT_EQ(view->m_nDraws, 3);
    EXPECT_EQ(host.GetWindowSurface(view)->Get(0, 0), PaletteIndexColor(3));
}

TEST_F(Idle, MessagesToAClosedWindowAreDropped) {
    view->PostMessage(WM_USER);
    EXPECT_TRUE(host.SendCommand(ID_FILE_CLOSE));
    EXPECT_EQ(host.QueuedMessageCount(), 0u);
    EXPECT_EQ(host.PumpMessages(), 0);
}

TEST_F(Idle, NoIdleCallRunsInsideAModalLoop) {
    bool inModal = false;
    host.PushDialogResponder([&](CDialog&) {
        inModal = host.IsInModalLoop();
        EXPECT_THROW(host.RunIdle(app, 5), std::logic_error);
        return IDCANCEL;
    });
    CDialog dialog(IDD_TEST);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(inModal);
    EXPECT_FALSE(host.IsInModalLoop());
    EXPECT_TRUE(app.m_idleCounts.empty());
}

TEST_F(Idle, TheMessageLoopRunsUntilQuit) {
    auto* main = static_cast<TestMainFrame*>(app.m_pMainWnd);
    main->OnMessage(WM_USER, [&](WPARAM, LPARAM) -> LRESULT {
        app.ExecuteCommand(ID_APP_EXIT);
        return 0;
    });
    main->PostMessage(WM_USER);
    EXPECT_EQ(app.Run(), 0);
    EXPECT_TRUE(host.HasQuit());
    EXPECT_TRUE(host.ChildFrames().empty());
    EXPECT_EQ(TestView::s_nLive, 0);
}

} // namespace
