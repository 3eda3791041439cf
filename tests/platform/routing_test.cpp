// Command routing: the order of targets, update handlers, disabled commands
// and exceptions that leave a handler.

#include "fixture.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace {

class Routing : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(app.InitInstance());
        app.OnFileNew();
        main = static_cast<TestMainFrame*>(app.m_pMainWnd);
        child = static_cast<TestChildFrame*>(main->MDIGetActive());
        ASSERT_NE(child, nullptr);
        view = static_cast<TestView*>(child->GetActiveView());
        doc = static_cast<TestDoc*>(view->GetDocument());
    }

    // Binds id on the targets named, in route order: view, doc, child, app, main.
    void Bind(UINT id, const std::string& targets) {
        auto logger = [this](const char* name) { return [this, name] { log.push_back(name); }; };
        if (targets.find('v') != std::string::npos)
            view->OnCommand(id, logger("view"));
        if (targets.find('d') != std::string::npos)
            doc->OnCommand(id, logger("doc"));
        if (targets.find('c') != std::string::npos)
            child->OnCommand(id, logger("child"));
        if (targets.find('a') != std::string::npos)
            app.OnCommand(id, logger("app"));
        if (targets.find('m') != std::string::npos)
            main->OnCommand(id, logger("main"));
    }

    HeadlessHost host;
    TestApp app;
    TestMainFrame* main = nullptr;
    TestChildFrame* child = nullptr;
    TestView* view = nullptr;
    TestDoc* doc = nullptr;
    std::vector<CString> log;
};

TEST_F(Routing, TheFirstTargetOnTheRouteHandlesTheCommand) {
    Bind(ID_TEST_A, "vdcam");
    Bind(ID_TEST_A + 10, "dcam");
    Bind(ID_TEST_A + 11, "cam");
    Bind(ID_TEST_A + 12, "am");
    Bind(ID_TEST_A + 13, "m");
    Bind(ID_TEST_A + 14, "vd");
    for (UINT id : {ID_TEST_A, ID_TEST_A + 10, ID_TEST_A + 11, ID_TEST_A + 12, ID_TEST_A + 13})
        EXPECT_TRUE(host.SendCommand(id));
    EXPECT_EQ(log, (std::vector<CString>{"view", "doc", "child", "app", "main"}));

    // Without a set window the main frame comes before the application.
    log.clear();
    EXPECT_TRUE(host.SendCommand(ID_FILE_CLOSE));
    EXPECT_EQ(main->MDIGetActive(), nullptr);
    EXPECT_TRUE(host.SendCommand(ID_TEST_A + 12));
    EXPECT_FALSE(host.SendCommand(ID_TEST_A + 14)); // its handlers went with the window
    EXPECT_EQ(log, (std::vector<CString>{"main"}));
}

TEST_F(Routing, ADisabledOrUnhandledCommandNeverRuns) {
    Bind(ID_TEST_A, "va");
    view->OnUpdateCommandUI(ID_TEST_A, [](CCmdUI* ui) { ui->Enable(FALSE); });
    EXPECT_FALSE(host.QueryCommand(ID_TEST_A).enabled);
    EXPECT_FALSE(host.SendCommand(ID_TEST_A));
    EXPECT_FALSE(app.ExecuteCommand(ID_TEST_A));

    EXPECT_FALSE(host.QueryCommand(ID_TEST_B).enabled);
    EXPECT_FALSE(app.ExecuteCommand(ID_TEST_B));

    // A view without panes keeps F6 and Shift+F6 disabled.
    EXPECT_FALSE(host.QueryCommand(ID_NEXT_PANE).enabled);
    EXPECT_FALSE(host.QueryCommand(ID_PREV_PANE).enabled);
    EXPECT_FALSE(app.ExecuteCommand(ID_NEXT_PANE));
    EXPECT_TRUE(log.empty());

    // An update handler alone decides the state; the handler further on runs.
    view->OnUpdateCommandUI(ID_TEST_B, [](CCmdUI* ui) { ui->SetCheck(1); });
    Bind(ID_TEST_B, "a");
    EXPECT_TRUE(host.QueryCommand(ID_TEST_B).enabled);
    EXPECT_EQ(host.QueryCommand(ID_TEST_B).check, 1);
    EXPECT_TRUE(app.ExecuteCommand(ID_TEST_B));
    EXPECT_EQ(log, (std::vector<CString>{"app"}));
}

TEST_F(Routing, AnExceptionLeavingAHandlerIsReportedAndTheProgramGoesOn) {
    view->OnCommand(ID_TEST_A, [] { throw CMemoryException(); });
    view->OnCommand(ID_TEST_B, [] { throw std::runtime_error("x"); });
    Bind(ID_TEST_THROW, "v");
    EXPECT_FALSE(app.ExecuteCommand(ID_TEST_A));
    EXPECT_FALSE(app.ExecuteCommand(ID_TEST_B));
    EXPECT_TRUE(app.ExecuteCommand(ID_TEST_THROW));
    view->OnMessage(WM_LBUTTONDOWN, [](WPARAM, LPARAM) -> LRESULT { throw 42; });
    view->SendMessage(WM_LBUTTONDOWN);
    ASSERT_EQ(host.MessageBoxes().size(), 3u);
    EXPECT_EQ(host.MessageBoxes()[0].text, "Out of memory.");
    EXPECT_EQ(host.MessageBoxes()[1].text, "Command failed.");
    EXPECT_EQ(host.MessageBoxes()[2].text, "Internal application error.");
    EXPECT_EQ(host.MessageBoxes()[0].caption, "Quirl32");
    EXPECT_EQ(host.MessageBoxes()[0].type, MB_ICONEXCLAMATION);
    EXPECT_EQ(log, (std::vector<CString>{"view"}));
}

TEST_F(Routing, FrameworkCommandStates) {
    // Recent files: the first entry stays disabled while the list is empty.
    EXPECT_FALSE(host.QueryCommand(ID_FILE_MRU_FILE1).enabled);
    EXPECT_TRUE(host.QueryCommand(ID_APP_EXIT).enabled);
    EXPECT_TRUE(host.QueryCommand(ID_FILE_SAVE).enabled);
    EXPECT_TRUE(host.QueryCommand(ID_WINDOW_CASCADE).enabled);

    EXPECT_EQ(host.QueryCommand(ID_VIEW_TOOLBAR).check, 1);
    EXPECT_TRUE(host.SendCommand(ID_VIEW_TOOLBAR));
    EXPECT_EQ(host.QueryCommand(ID_VIEW_TOOLBAR).check, 0);
    EXPECT_FALSE(host.IsControlBarVisible(AFX_IDW_TOOLBAR));
    EXPECT_EQ(host.QueryCommand(ID_VIEW_STATUS_BAR).check, 1);

    EXPECT_TRUE(host.SendCommand(ID_FILE_CLOSE));
    EXPECT_FALSE(host.QueryCommand(ID_WINDOW_CASCADE).enabled);
    EXPECT_FALSE(host.QueryCommand(ID_FILE_SAVE).enabled);
    EXPECT_TRUE(host.QueryCommand(ID_FILE_NEW).enabled);
}

} // namespace
