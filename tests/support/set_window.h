#pragma once
// A running application on the headless backend with set windows of chosen
// client sizes, for the tests of the engine, the view and the commands.

#include "app/quirl32_app.h"
#include "app/set_doc_template.h"
#include "commands/resource_ids.h"
#include "commands/resources.h"
#include "platform/framework/frame.h"
#include "platform/headless/headless_host.h"
#include "platform/runtime/crt_rand.h"
#include "platform/runtime/timeb.h"
#include "view/quirl32_view.h"

#include <gtest/gtest.h>

class SetWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        AfxSetResources(&Quirl32Resources());
        crt::srand(1);
        app.AddDocTemplate(NewSetDocTemplate());
        frame = new CMDIFrameWnd;
        ASSERT_TRUE(frame->LoadFrame(IDR_MAINFRAME, 0, nullptr, nullptr));
        app.m_pMainWnd = frame;
    }

    void TearDown() override {
        app.CloseAllDocuments();
        app.m_pMainWnd = nullptr;
        delete frame;
        AfxSetClock(nullptr);
    }

    // A new set document in a set window whose view has this client size,
    // painted once and not yet stepped.
    CQuirl32View* NewView(int width, int height) {
        app.OnFileNew();
        CMDIChildWnd* child = host.GetActiveChildFrame();
        EXPECT_NE(child, nullptr);
        auto* view = dynamic_cast<CQuirl32View*>(child->GetActiveView());
        EXPECT_NE(view, nullptr);
        host.SetViewClientSize(view, width, height);
        host.PumpMessages();
        return view;
    }

    // The headless host sends commands and size changes straight to their
    // handlers; the message that would have carried them starts a new idle
    // period, as a real message loop does after every handled message.
    void EndOfInput(CQuirl32View* view) { host.PostMessage(view, 0, 0, 0); }

    static CQuirl32Doc& Doc(CQuirl32View* view) { return *view->m_pDoc; }

    // One computation step of one view, as the idle loop takes it.
    static BOOL Step(CQuirl32View* view) { return view->IdleStep(); }

    // Steps until the view has no work; the number of steps taken, the one
    // that finished included.
    static int Finish(CQuirl32View* view, int limit = 10000000) {
        int steps = 0;
        while (steps < limit) {
            ++steps;
            if (!view->IdleStep())
                break;
        }
        return steps;
    }

    const Surface& Window(CQuirl32View* view) { return *host.GetWindowSurface(view); }
    static const Surface& Picture(CQuirl32View* view) { return *view->m_pMemDC->GetSurface(); }

    // The palette index a surface holds at (x, y), or -1 for a plain colour.
    static int IndexAt(const Surface& s, int x, int y) {
        const COLORREF c = s.Get(x, y);
        return IsPaletteIndexColor(c) ? PaletteIndexOf(c) : -1;
    }

    HeadlessHost host;
    CQuirl32App app;
    CMDIFrameWnd* frame = nullptr;
};

// A clock the test moves by hand.
struct ManualClock {
    static inline _timeb now{};
    static void Read(_timeb* t) { *t = now; }
    static void Set(std::int32_t seconds, std::uint16_t ms) {
        now.time = seconds;
        now.millitm = ms;
        AfxSetClock(&Read);
    }
};
