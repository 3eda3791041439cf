// Start-up, the main frame and the About box on the in-memory backend.

#include "app/about_dlg.h"
#include "app/main_frame.h"
#include "app/quirl32_app.h"
#include "commands/resource_ids.h"
#include "platform/headless/headless_host.h"

#include <gtest/gtest.h>

class AppTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(app.InitInstance()); }
    void TearDown() override {
        app.CloseAllDocuments();
        delete app.m_pMainWnd;
        app.m_pMainWnd = nullptr;
    }
    CMainFrame* Main() { return dynamic_cast<CMainFrame*>(app.m_pMainWnd); }

    HeadlessHost host;
    CQuirl32App app;
};

TEST_F(AppTest, StartUpMakesTheMainWindowAndTheFirstSetWindow) {
    ASSERT_NE(Main(), nullptr);
    EXPECT_EQ(app.m_pszRegistryKey, "Quirl32");
    EXPECT_EQ(app.m_nMaxMRU, 3u);
    EXPECT_EQ(app.m_paletteScheme, Standard);
    EXPECT_EQ(host.LoadedToolBar(), IDR_MAINFRAME);
    EXPECT_EQ(host.StatusIndicators(), (std::vector<UINT>{ID_SEPARATOR, ID_INDICATOR_CAPS,
                                                          ID_INDICATOR_NUM, ID_INDICATOR_SCRL}));
    EXPECT_TRUE(host.AcceptsFiles(Main()));
    EXPECT_TRUE(host.IsWindowVisible(Main()));
    ASSERT_EQ(host.ChildFrames().size(), 1u);
    const CRect child = host.GetChildFrameRect(host.ChildFrames().front());
    EXPECT_EQ(child.Width(), 260);
    EXPECT_EQ(child.Height(), 260);
    EXPECT_EQ(host.WindowText(Main()), "Quirl32 - Quirl31");
    EXPECT_EQ(host.CurrentMenu(), IDR_QUIRL3TYPE);
    EXPECT_TRUE(Main()->m_wndToolBar.IsCreated());
    EXPECT_TRUE(Main()->m_wndStatusBar.IsCreated());
}

TEST_F(AppTest, MainFrameAsksForHelpAndPassesPaletteRequestsOn) {
    app.ExecuteCommand(ID_HELP_INDEX);
    app.ExecuteCommand(ID_HELP_USING);
    EXPECT_EQ(host.HelpRequests(), (std::vector<UINT>{HELP_INDEX, HELP_HELPONHELP}));

    EXPECT_TRUE(Main()->OnQueryNewPalette());
    Main()->OnPaletteChanged(nullptr);
    app.CloseAllDocuments();
    EXPECT_FALSE(Main()->OnQueryNewPalette());
    // The help commands stay with the set menu: without a set window the
    // main frame still answers them.
    app.ExecuteCommand(ID_HELP_INDEX);
    EXPECT_EQ(host.HelpRequests().size(), 3u);
}

TEST_F(AppTest, AboutBoxSwapsItsIconOnlyForADoubleClickOnIt) {
    UINT onIcon = 0;
    UINT elsewhere = 0;
    host.PushDialogResponder([&](CDialog& dialog) {
        RECT icon;
        EXPECT_TRUE(dialog.GetDlgItemRect(IDC_ABOUT_ICON, &icon));
        // The right and bottom edges are outside.
        dialog.SendMessage(WM_LBUTTONDBLCLK, 1, MAKELPARAM(icon.right, icon.bottom));
        elsewhere = host.DialogItemIcon(dialog, IDC_ABOUT_ICON);
        dialog.SendMessage(WM_LBUTTONDBLCLK, 1, MAKELPARAM(icon.left, icon.top));
        onIcon = host.DialogItemIcon(dialog, IDC_ABOUT_ICON);
        return IDOK;
    });
    app.ExecuteCommand(ID_APP_ABOUT);
    EXPECT_EQ(host.DialogsShown(), (std::vector<UINT>{IDD_ABOUTBOX}));
    EXPECT_EQ(elsewhere, 0u);
    EXPECT_EQ(onIcon, IDI_ABOUT_ALTERNATE);
}

TEST(AboutTemplate, HoldsTheIconNameNoticeAndOk) {
    const DialogTemplate t = AboutDialogTemplate();
    EXPECT_EQ(t.id, IDD_ABOUTBOX);
    EXPECT_EQ(t.title, "About Quirl32");
    EXPECT_EQ(t.cx, 235);
    EXPECT_EQ(t.cy, 55);
    EXPECT_TRUE(t.systemMenu);
    EXPECT_TRUE(t.centerOnOwner);
    ASSERT_EQ(t.controls.size(), 4u);
    EXPECT_EQ(t.controls[0].kind, ControlKind::Icon);
    EXPECT_EQ(t.controls[0].id, IDC_ABOUT_ICON);
    EXPECT_EQ(t.controls[0].text, "128");
    EXPECT_EQ(t.controls[1].text, "Quirl32 Version 1.0");
    EXPECT_EQ(t.controls[3].kind, ControlKind::DefPushButton);
    EXPECT_EQ(t.controls[3].id, IDOK);
    EXPECT_EQ(t.controls[3].flags, UINT(CS_GROUP | CS_TABSTOP));
}
