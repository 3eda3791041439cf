// Modal dialogs: data exchange on OK and Cancel, missing templates, and the
// headless dialog script.

#include "fixture.h"

#include <gtest/gtest.h>

namespace {

class TestDialog : public CDialog {
public:
    TestDialog() : CDialog(IDD_TEST) {}
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Text(pDX, IDC_FIRST, m_strFirst);
        DDX_Text(pDX, IDC_SECOND, m_strSecond);
    }
    CString m_strFirst = "one";
    CString m_strSecond = "two";
};

TEST(Dialogs, MembersGoToTheControlsOnOpenAndComeBackOnOkOnly) {
    HeadlessHost host;
    AfxSetResources(&TestResources());
    CString seen;
    host.PushDialogResponder([&](CDialog& d) {
        seen = d.GetDlgItemText(IDC_FIRST) + "/" + d.GetDlgItemText(IDC_SECOND);
        d.SetDlgItemText(IDC_FIRST, "changed");
        return IDOK;
    });
    TestDialog ok;
    EXPECT_EQ(ok.DoModal(), IDOK);
    EXPECT_EQ(seen, "one/two");
    EXPECT_EQ(ok.m_strFirst, "changed");
    EXPECT_EQ(ok.m_strSecond, "two");

    host.PushDialogResponder([](CDialog& d) {
        d.SetDlgItemText(IDC_FIRST, "lost");
        return IDCANCEL;
    });
    TestDialog cancel;
    EXPECT_EQ(cancel.DoModal(), IDCANCEL);
    EXPECT_EQ(cancel.m_strFirst, "one");

    // With no answer scripted the dialog is cancelled, as by Esc.
    TestDialog unanswered;
    EXPECT_EQ(unanswered.DoModal(), IDCANCEL);
    EXPECT_EQ(host.DialogsShown(), (std::vector<UINT>{IDD_TEST, IDD_TEST, IDD_TEST}));
    EXPECT_FALSE(host.IsInModalLoop());
}

TEST(Dialogs, AMissingTemplateCannotBeCreated) {
    HeadlessHost host;
    AfxSetResources(&TestResources());
    CDialog missing(4242);
    EXPECT_EQ(missing.DoModal(), -1);
    EXPECT_TRUE(host.DialogsShown().empty());
}

TEST(Dialogs, ControlRectanglesAndIconsWhileTheDialogRuns) {
    HeadlessHost host;
    AfxSetResources(&TestResources());
    RECT rc{};
    host.PushDialogResponder([&](CDialog& d) {
        EXPECT_TRUE(d.GetDlgItemRect(1000, &rc));
        EXPECT_FALSE(d.GetDlgItemRect(999, &rc));
        d.SetDlgItemIcon(1000, 107);
        EXPECT_EQ(host.DialogItemIcon(d, 1000), 107u);
        d.EndDialog(77);
        return IDOK;
    });
    TestDialog dlg;
    EXPECT_EQ(dlg.DoModal(), 77);
    // Template (5, 35, 20, 20) in dialog units.
    EXPECT_EQ(CRect(rc), CRect(7, 56, 37, 89));
    EXPECT_EQ(dlg.m_strFirst, "one"); // ended without OnOK: nothing read back
}

} // namespace
