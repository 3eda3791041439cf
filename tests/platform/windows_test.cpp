// Documents, set windows and the main window: titles, sizes, menus, closing,
// the recent-file list and settings.

#include "fixture.h"

#include <gtest/gtest.h>

namespace {

class Windows : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(app.InitInstance()); }
    CMDIFrameWnd* Main() { return static_cast<CMDIFrameWnd*>(app.m_pMainWnd); }

    HeadlessHost host;
    TestApp app;
    TempFolder dir;
};

TEST_F(Windows, NewDocumentsAreNumberedAndShownInSetWindows) {
    EXPECT_EQ(host.CurrentMenu(), IDR_MAINFRAME);
    EXPECT_EQ(host.WindowText(Main()), "Quirl32");
    EXPECT_EQ(host.StatusIndicators().size(), 4u);
    EXPECT_TRUE(host.AcceptsFiles(Main()));

    app.OnFileNew();
    CMDIChildWnd* frame = Main()->MDIGetActive();
    ASSERT_NE(frame, nullptr);
    auto* view = static_cast<TestView*>(frame->GetActiveView());
    EXPECT_EQ(view->GetDocument()->GetTitle(), "Quirl31");
    EXPECT_EQ(host.WindowText(frame), "Quirl31");
    EXPECT_EQ(host.WindowText(Main()), "Quirl32 - Quirl31");
    EXPECT_EQ(host.CurrentMenu(), IDR_TESTTYPE);
    // A 260 x 260 set window has a 252 x 230 client area.
    RECT rc;
    view->GetClientRect(&rc);
    EXPECT_EQ(CRect(rc), CRect(0, 0, 252, 230));
    EXPECT_EQ(host.GetWindowSurface(view)->Width(), 252);
    EXPECT_EQ(view->m_nUpdates, 1); // the initial update
    EXPECT_EQ(view->GetParent(), frame);
    EXPECT_EQ(frame->GetParent(), Main());

    app.OnFileNew();
    EXPECT_EQ(Main()->GetActiveDocument()->GetTitle(), "Quirl32");
    EXPECT_EQ(host.ChildFrames().size(), 2u);

    // Activating the older one brings its title and keeps the set menu.
    frame->MDIActivate();
    EXPECT_EQ(host.WindowText(Main()), "Quirl32 - Quirl31");
    EXPECT_EQ(host.ChildFrames().back(), frame);
}

TEST_F(Windows, ClosingASetWindowDestroysViewAndDocument) {
    app.OnFileNew();
    app.OnFileNew();
    auto* t = static_cast<CMultiDocTemplate*>(app.GetFirstDocTemplate());
    EXPECT_EQ(t->GetDocuments().size(), 2u);
    EXPECT_TRUE(host.SendCommand(ID_FILE_CLOSE));
    EXPECT_EQ(t->GetDocuments().size(), 1u);
    EXPECT_EQ(TestView::s_nLive, 1);
    EXPECT_EQ(host.WindowText(Main()), "Quirl32 - Quirl31");
    Main()->MDIGetActive()->MDIDestroy();
    EXPECT_TRUE(t->GetDocuments().empty());
    EXPECT_EQ(TestView::s_nLive, 0);
    EXPECT_EQ(host.CurrentMenu(), IDR_MAINFRAME);
    EXPECT_EQ(host.WindowText(Main()), "Quirl32");
    // Numbering goes on.
    app.OnFileNew();
    EXPECT_EQ(Main()->GetActiveDocument()->GetTitle(), "Quirl33");
}

TEST_F(Windows, ANewDocumentThatRefusesLeavesNothingBehind) {
    auto* t = new CMultiDocTemplate(
        IDR_TESTTYPE,
        [] {
            auto* d = new TestDoc;
            d->m_bFailNew = TRUE;
            return d;
        },
        [] { return new TestChildFrame; }, [] { return new TestView; });
    EXPECT_EQ(t->OpenDocumentFile(""), nullptr);
    EXPECT_TRUE(t->GetDocuments().empty());
    EXPECT_TRUE(host.ChildFrames().empty());
    EXPECT_EQ(TestView::s_nLive, 0);
    host.FailNext(HeadlessHost::Failure::ChildFrame);
    EXPECT_EQ(app.GetFirstDocTemplate()->OpenDocumentFile(""), nullptr);
    EXPECT_EQ(TestView::s_nLive, 0);
    delete t;
}

TEST_F(Windows, ResizingAViewKeepsItsPictureAndTellsIt) {
    app.OnFileNew();
    auto* view = static_cast<TestView*>(Main()->GetActiveView());
    std::vector<LPARAM> sizes;
    view->OnMessage(WM_SIZE, [&](WPARAM, LPARAM lp) -> LRESULT {
        sizes.push_back(lp);
        return 0;
    });
    host.Paint(view);
    host.SetViewClientSize(view, 300, 200);
    EXPECT_EQ(sizes, (std::vector<LPARAM>{MAKELPARAM(300, 200)}));
    EXPECT_EQ(host.GetWindowSurface(view)->Get(251, 0), PaletteIndexColor(3));
    EXPECT_EQ(host.GetWindowSurface(view)->Get(299, 199), kWhite);
    EXPECT_TRUE(host.IsPaintPending(view));
    EXPECT_EQ(host.GetChildFrameRect(Main()->MDIGetActive()).Width(), 308);

    host.SetChildFrameSize(Main()->MDIGetActive(), 100, 20);
    EXPECT_EQ(sizes.back(), MAKELPARAM(92, 0));
}

TEST_F(Windows, TheRecentFileListKeepsTheLastThreeNewestFirst) {
    std::vector<std::string> paths;
    for (int i = 0; i < 4; ++i) {
        // Appended, not "f" + text: GCC 12 at -O3 sees a false overlap
        // (-Wrestrict) in the insertion at the front that the latter makes.
        std::string name = "f";
        name += std::to_string(i);
        name += ".qrl";
        paths.push_back(dir.Write(name, CountingBytes(40)));
        ASSERT_NE(app.OpenDocumentFile(paths.back()), nullptr);
    }
    EXPECT_EQ(app.GetRecentFiles(), (std::vector<CString>{paths[3], paths[2], paths[1]}));
    EXPECT_EQ(host.Settings().at({"Recent File List", "File1"}), paths[3]);
    EXPECT_EQ(host.Settings().at({"Recent File List", "File3"}), paths[1]);
    EXPECT_TRUE(host.QueryCommand(ID_FILE_MRU_FILE3).enabled);
    EXPECT_FALSE(host.QueryCommand(ID_FILE_MRU_FILE3 + 1).enabled);

    // Opening one again moves it to the front without a duplicate.
    app.AddToRecentFileList(paths[1]);
    EXPECT_EQ(app.GetRecentFiles(), (std::vector<CString>{paths[1], paths[3], paths[2]}));

    // An entry whose file is gone fails with the message and leaves the list.
    std::filesystem::remove(paths[3]);
    app.CloseAllDocuments();
    EXPECT_TRUE(host.SendCommand(ID_FILE_MRU_FILE2));
    ASSERT_EQ(host.MessageBoxes().size(), 1u);
    EXPECT_EQ(host.MessageBoxes()[0].text, paths[3] + " was not found.");
    EXPECT_EQ(app.GetRecentFiles(), (std::vector<CString>{paths[1], paths[2]}));
    EXPECT_EQ(host.Settings().at({"Recent File List", "File3"}), "");

    // A working entry opens its file.
    EXPECT_TRUE(host.SendCommand(ID_FILE_MRU_FILE1));
    EXPECT_EQ(Main()->GetActiveDocument()->GetPathName(), paths[1]);
}

TEST_F(Windows, SettingsAreReadAtStart) {
    host.WriteProfileString("Recent File List", "File1", "/a.qrl");
    host.WriteProfileString("Recent File List", "File2", "/a.qrl");
    host.WriteProfileString("Recent File List", "File3", "/c.qrl");
    host.WriteProfileString("Recent File List", "File4", "/d.qrl");
    host.WriteProfileString("Settings", "PreviewPages", "2");
    app.LoadStdProfileSettings(3);
    EXPECT_EQ(app.GetRecentFiles(), (std::vector<CString>{"/a.qrl", "/c.qrl"}));
    EXPECT_EQ(app.m_nPreviewPages, 2);
    EXPECT_EQ(app.GetProfileInt("Settings", "Missing", -5), -5);
    host.WriteProfileString("Settings", "Bad", "x");
    EXPECT_EQ(app.GetProfileInt("Settings", "Bad", 4), 4);
    // At exit the list is written back, the emptied entry too.
    EXPECT_EQ(app.ExitInstance(), 0);
    EXPECT_EQ(host.Settings().at({"Recent File List", "File2"}), "/c.qrl");
    EXPECT_EQ(host.Settings().at({"Recent File List", "File3"}), "");
}

TEST_F(Windows, FileOpenAsksWithTheTemplateFilter) {
    const std::string path = dir.Write("open.qrl", CountingBytes(40));
    host.PushFileName(path);
    EXPECT_TRUE(host.SendCommand(ID_FILE_OPEN));
    ASSERT_EQ(host.FilePrompts().size(), 1u);
    EXPECT_TRUE(host.FilePrompts()[0].bOpen);
    EXPECT_EQ(host.FilePrompts()[0].filter, "Quirl3 Files (*.qrl)|*.qrl|All Files (*.*)|*.*");
    EXPECT_EQ(Main()->GetActiveDocument()->GetTitle(), "open.qrl");
    EXPECT_TRUE(host.SendCommand(ID_FILE_OPEN)); // cancelled: nothing happens
    EXPECT_EQ(host.ChildFrames().size(), 1u);

    CString name;
    auto* t = static_cast<CMultiDocTemplate*>(app.GetFirstDocTemplate());
    EXPECT_TRUE(t->GetDocString(name, CMultiDocTemplate::regFileTypeId));
    EXPECT_EQ(name, "Quirl32.Document");
    EXPECT_FALSE(t->GetDocString(name, CMultiDocTemplate::windowTitle));
}

TEST_F(Windows, UpdateAllViewsSkipsTheSender) {
    app.OnFileNew();
    auto* view = static_cast<TestView*>(Main()->GetActiveView());
    CDocument* doc = view->GetDocument();
    TestView second;
    doc->AddView(&second);
    doc->UpdateAllViews(view);
    EXPECT_EQ(view->m_nUpdates, 1);
    EXPECT_EQ(second.m_nUpdates, 1);
    doc->UpdateAllViews(nullptr);
    EXPECT_EQ(view->m_nUpdates, 2);
    doc->RemoveView(&second);
    EXPECT_EQ(second.GetDocument(), nullptr);
}

} // namespace

namespace {

TEST_F(Windows, ClosingAModifiedDocumentAsksFirst) {
    app.OnFileNew();
    CDocument* doc = Main()->GetActiveDocument();
    doc->SetModifiedFlag();
    host.PushMessageBoxAnswer(IDCANCEL);
    EXPECT_TRUE(host.SendCommand(ID_FILE_CLOSE));
    ASSERT_EQ(host.MessageBoxes().size(), 1u);
    EXPECT_EQ(host.MessageBoxes()[0].text, "Save changes to Quirl31?");
    EXPECT_EQ(Main()->GetActiveDocument(), doc);
    host.PushMessageBoxAnswer(IDNO);
    EXPECT_TRUE(host.SendCommand(ID_FILE_CLOSE));
    EXPECT_EQ(Main()->GetActiveDocument(), nullptr);
}

TEST(StartUp, AMainWindowWhoseBarsFailIsNotCreated) {
    for (auto failure : {HeadlessHost::Failure::MainFrame, HeadlessHost::Failure::ToolBar,
                         HeadlessHost::Failure::LoadToolBar, HeadlessHost::Failure::StatusBar,
                         HeadlessHost::Failure::Indicators}) {
        HeadlessHost host;
        TestApp app;
        host.FailNext(failure);
        EXPECT_FALSE(app.InitInstance());
        EXPECT_EQ(app.m_pMainWnd, nullptr);
        EXPECT_EQ(host.MainFrame(), nullptr);
    }
}

TEST(StartUp, TheCommandLineNamesFilesAndOptions) {
    HeadlessHost host;
    TestApp app;
    app.m_commandLine = {"-dde", "/home/user/a.qrl", "b.qrl"};
    CCommandLineInfo info;
    app.ParseCommandLine(info);
    EXPECT_EQ(info.m_nShellCommand, CCommandLineInfo::FileDDE);
    EXPECT_EQ(info.m_files, (std::vector<CString>{"/home/user/a.qrl", "b.qrl"}));
    EXPECT_EQ(info.m_strFileName, "/home/user/a.qrl");
}

} // namespace
