#include "support/set_window.h"

#include "commands/info_dlg.h"
#include "commands/specify_dlg.h"

#include <vector>

namespace {

const UINT kPresets[] = {ID_ITER_50,  ID_ITER_100, ID_ITER_120,  ID_ITER_150,
                         ID_ITER_200, ID_ITER_255, ID_ITER_OTHER};

} // namespace

class IterationCommands : public SetWindowTest {
protected:
    // The items of the Iterations submenu that carry a check mark.
    std::vector<UINT> Checked() {
        std::vector<UINT> checked;
        for (UINT id : kPresets) {
            const auto state = host.QueryCommand(id);
            EXPECT_TRUE(state.enabled);
            if (state.check)
                checked.push_back(id);
        }
        return checked;
    }

    // "other..." answered with text; the text the dialog opened with.
    CString Other(const CString& text, int button = IDOK) {
        CString shown;
        host.PushDialogResponder([&](CDialog& dlg) {
            shown = dlg.GetDlgItemText(IDC_ITERATIONS);
            dlg.SetDlgItemText(IDC_ITERATIONS, text);
            return button;
        });
        EXPECT_TRUE(host.SendCommand(ID_ITER_OTHER));
        return shown;
    }
};

TEST_F(IterationCommands, ChecksFollowTheLimit) {
    CQuirl32View* v = NewView(40, 30);
    EXPECT_EQ(Checked(), std::vector<UINT>{ID_ITER_50});
    EXPECT_EQ(Other("75"), "50");
    EXPECT_EQ(Doc(v).m_nIterations, 75);
    EXPECT_TRUE(Checked().empty());
    Other("256");
    EXPECT_EQ(Checked(), std::vector<UINT>{ID_ITER_OTHER});
    Other("1000");
    EXPECT_EQ(Checked(), std::vector<UINT>{ID_ITER_OTHER});
    Other("255");
    EXPECT_EQ(Checked(), std::vector<UINT>{ID_ITER_255});
    ASSERT_TRUE(host.SendCommand(ID_ITER_120));
    EXPECT_EQ(Checked(), std::vector<UINT>{ID_ITER_120});
    Other("-5");
    EXPECT_TRUE(Checked().empty());
    EXPECT_EQ(Other("0"), "-5");
    EXPECT_TRUE(Checked().empty());
}

TEST_F(IterationCommands, OtherReadsTextLikeAtoi) {
    CQuirl32View* v = NewView(40, 30);
    const struct {
        const char* text;
        int limit;
    } cases[] = {{"abc", 0}, {"", 0},     {" 300x", 300},
                 {"-5", -5}, {"+12", 12}, {"99999999999", 2147483647}};
    for (const auto& c : cases) {
        Other(c.text);
        EXPECT_EQ(Doc(v).m_nIterations, c.limit) << c.text;
    }
}

TEST_F(IterationCommands, CancelLeavesLimitAndComputation) {
    ManualClock::Set(100, 0);
    CQuirl32View* v = NewView(40, 30);
    Step(v);
    const RectNode* top = v->m_pRectStack;
    ManualClock::Set(101, 0);
    Other("120", IDCANCEL);
    EXPECT_EQ(Doc(v).m_nIterations, 50);
    EXPECT_EQ(v->m_pRectStack, top);
    EXPECT_EQ(v->m_tStart.time, 100);
    EXPECT_EQ(host.DialogsShown().back(), IDD_SPECIFY);
}

TEST_F(IterationCommands, APresetRestartsAWorkingViewFromTheBeginning) {
    CQuirl32View* v = NewView(40, 30);
    Step(v);
    ASSERT_NE(v->m_pRectStack, nullptr);
    ASSERT_TRUE(host.SendCommand(ID_ITER_200));
    EXPECT_EQ(Doc(v).m_nIterations, 200);
    EXPECT_EQ(v->m_pRectStack, nullptr);
    EXPECT_EQ(v->m_bWorking, 1);
    EXPECT_FALSE(Doc(v).IsModified());
}

TEST_F(IterationCommands, APresetOnAnIdleViewComputesNothingUntilCompute) {
    CQuirl32View* v = NewView(40, 30);
    Finish(v);
    const Surface before = Window(v);
    ASSERT_TRUE(host.SendCommand(ID_ITER_100));
    EXPECT_EQ(v->m_bWorking, 0);
    EndOfInput(v);
    EXPECT_TRUE(host.PumpUntilIdle(app));
    EXPECT_EQ(Window(v).Pixels(), before.Pixels());
    ASSERT_TRUE(host.SendCommand(ID_SET_COMPUTE));
    Finish(v);
    // -0.75 + 0.1i needs 32 iterations either way; points deep in the set
    // still give 0, and the picture is computed with the new limit.
    EXPECT_EQ(v->ComputePoint(-0.75, 0.1), 32);
    EXPECT_EQ(Doc(v).m_nIterations, 100);
}

class InfoCommand : public SetWindowTest {
protected:
    struct Texts {
        CString from, to, iterations, zoom, time;
    };
    Texts Info() {
        Texts t;
        host.PushDialogResponder([&](CDialog& dlg) {
            t.from = dlg.GetDlgItemText(IDC_INFO_FROM);
            t.to = dlg.GetDlgItemText(IDC_INFO_TO);
            t.iterations = dlg.GetDlgItemText(IDC_INFO_ITERATIONS);
            t.zoom = dlg.GetDlgItemText(IDC_INFO_ZOOM);
            t.time = dlg.GetDlgItemText(IDC_INFO_TIME);
            return IDOK;
        });
        EXPECT_TRUE(host.SendCommand(ID_SET_INFO));
        EXPECT_EQ(host.DialogsShown().back(), IDD_INFO);
        return t;
    }
};

TEST_F(InfoCommand, TextsOfTheDefaultSet) {
    ManualClock::Set(1000, 0);
    CQuirl32View* v = NewView(300, 200);
    Texts t = Info();
    EXPECT_EQ(t.from, "-2.1-1.2i");
    EXPECT_EQ(t.to, "1.5+1.2i");
    EXPECT_EQ(t.iterations, "50");
    EXPECT_EQ(t.zoom, "83 dpu");
    EXPECT_EQ(t.time, "timer reset or not finished");

    ManualClock::Set(1012, 346);
    Finish(v);
    EXPECT_EQ(Info().time, "12.346 sec");
    // Info changes nothing.
    EXPECT_EQ(v->m_bWorking, 0);
    EXPECT_FALSE(Doc(v).IsModified());
}

TEST_F(InfoCommand, StoppedAndRandomComputationsShowNoTime) {
    ManualClock::Set(1000, 0);
    CQuirl32View* v = NewView(30, 20);
    ManualClock::Set(1001, 0);
    Step(v);
    ASSERT_TRUE(host.SendCommand(ID_SET_STOP));
    EXPECT_EQ(Info().time, "timer reset or not finished");
    ASSERT_TRUE(host.SendCommand(ID_METHOD_RANDOM));
    ASSERT_TRUE(host.SendCommand(ID_SET_COMPUTE));
    ManualClock::Set(1005, 0);
    for (int i = 0; i < 20; ++i)
        Step(v);
    EXPECT_EQ(Info().time, "timer reset or not finished");
}

TEST_F(InfoCommand, ZeroImaginaryBoundsAndEscapeToClose) {
    CQuirl32View* v = NewView(300, 200);
    Doc(v).m_extents = SetExtents{-2.1, 0.0, 0.0, -0.0};
    v->FitToClient();
    host.PushDialogResponder([](CDialog&) { return IDCANCEL; });
    ASSERT_TRUE(host.SendCommand(ID_SET_INFO));
    Texts t = Info();
    EXPECT_EQ(t.from, "-2.1+0.i");
    EXPECT_EQ(t.to, "-2.1-0.i");
    EXPECT_EQ(t.zoom, "0 dpu");
}

TEST(DialogTemplates, SpecifyAndInfo) {
    const DialogTemplate specify = SpecifyDialogTemplate();
    EXPECT_EQ(specify.id, IDD_SPECIFY);
    EXPECT_EQ(specify.title, "Specify");
    EXPECT_EQ(specify.cx, 186);
    EXPECT_EQ(specify.cy, 39);
    ASSERT_EQ(specify.controls.size(), 4u);
    EXPECT_EQ(specify.controls[0].id, IDOK);
    EXPECT_EQ(specify.controls[0].kind, ControlKind::DefPushButton);
    EXPECT_EQ(specify.controls[3].id, IDC_ITERATIONS);
    EXPECT_EQ(specify.controls[3].kind, ControlKind::Edit);
    EXPECT_FALSE(specify.systemMenu);

    const DialogTemplate info = InfoDialogTemplate();
    EXPECT_EQ(info.title, "The current set");
    EXPECT_EQ(info.x, 130);
    EXPECT_EQ(info.y, 100);
    ASSERT_EQ(info.controls.size(), 12u);
    EXPECT_EQ(info.controls[0].text, "That's it!");
    int valueFields = 0;
    for (const DialogControl& c : info.controls)
        if (c.id != IDC_STATIC) {
            EXPECT_EQ(c.kind, c.id == IDOK ? ControlKind::DefPushButton : ControlKind::Static);
            if (c.id != IDOK) {
                EXPECT_EQ(c.text, "?");
                ++valueFields;
            }
        }
    EXPECT_EQ(valueFields, 5);

    const ResourceTable& r = Quirl32Resources();
    EXPECT_EQ(r.dialogs.count(IDD_SELECTION), 1u);
    EXPECT_EQ(r.dialogs.count(IDD_SPECIFY), 1u);
    EXPECT_EQ(r.dialogs.count(IDD_INFO), 1u);
    EXPECT_EQ(r.strings.at(IDR_QUIRL3TYPE),
              "\nQuirl3\nQuirl3\nQuirl3 Files (*.qrl)\n.qrl\nQuirl32.Document\nQuirl3 Document");
}
