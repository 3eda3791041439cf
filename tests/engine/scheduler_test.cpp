#include "support/set_window.h"

#include <new>

using Scheduler = SetWindowTest;

TEST_F(Scheduler, ANewWindowComputesWithoutACommand) {
    CQuirl32View* v = NewView(60, 40);
    EXPECT_EQ(v->m_nMethod, Recursion);
    EXPECT_FALSE(host.QueryCommand(ID_SET_COMPUTE).enabled);
    EXPECT_TRUE(host.QueryCommand(ID_SET_STOP).enabled);
    EXPECT_EQ(host.QueryCommand(ID_METHOD_RECURSION).check, 1);
    EXPECT_EQ(host.QueryCommand(ID_METHOD_RANDOM).check, 0);

    EXPECT_TRUE(host.PumpUntilIdle(app));
    EXPECT_EQ(v->m_bWorking, 0);
    EXPECT_EQ(Doc(v).m_bPictureValid, 1);
    // The finish notice brought the toolbar up to date with a fresh idle pass.
    EXPECT_TRUE(host.QueryCommand(ID_SET_COMPUTE).enabled);
    EXPECT_FALSE(host.QueryCommand(ID_SET_STOP).enabled);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 60; ++x)
            ASSERT_GE(IndexAt(Window(v), x, y), 0);
}

TEST_F(Scheduler, FinishPostsTheIdleUpdateNotice) {
    CQuirl32View* v = NewView(3, 3);
    const int refreshes = host.ToolBarRefreshes();
    EXPECT_FALSE(Step(v));
    EXPECT_EQ(host.QueuedMessageCount(), 1u);
    host.PumpUntilIdle(app);
    EXPECT_GT(host.ToolBarRefreshes(), refreshes);
}

TEST_F(Scheduler, TwoViewsStepNewestFirst) {
    CQuirl32View* older = NewView(300, 200);
    CQuirl32View* newer = NewView(300, 200);
    ASSERT_EQ(app.m_viewRegistry->pView, newer);
    ASSERT_EQ(app.m_viewRegistry->pNext->pView, older);
    for (CQuirl32View* v : {older, newer}) {
        v->m_nMethod = Random;
        Doc(v).m_nRandomPoints = 1;
    }
    crt::srand(1);
    EXPECT_TRUE(app.OnIdle(2));
    // The newer view drew the first point of the sequence, the older the second.
    EXPECT_GE(IndexAt(Window(newer), 0, 112), 0);
    EXPECT_GE(IndexAt(Window(older), 57, 161), 0);
    EXPECT_EQ(IndexAt(Window(older), 0, 112), -1);
}

TEST_F(Scheduler, IdleAsksForMoreWhileAnyViewWorks) {
    CQuirl32View* a = NewView(30, 20);
    CQuirl32View* b = NewView(30, 20);
    host.SendCommand(ID_SET_STOP); // b, the active one
    EXPECT_EQ(b->m_bWorking, 0);
    EXPECT_TRUE(app.OnIdle(0)); // the framework's own pass
    EXPECT_TRUE(app.OnIdle(1)); // a still works
    Finish(a);
    EXPECT_TRUE(app.OnIdle(0));
    EXPECT_FALSE(app.OnIdle(1));
    EXPECT_FALSE(app.OnIdle(2));
}

TEST_F(Scheduler, StampsMarkFinishedComputationsOnly) {
    ManualClock::Set(1000, 100);
    CQuirl32View* v = NewView(40, 30);
    EXPECT_EQ(v->m_tStart.time, 1000);
    ManualClock::Set(1012, 446);
    Finish(v);
    EXPECT_EQ(v->m_tFinish.time, 1012);
    EXPECT_EQ(v->m_tFinish.millitm, 446);
    EXPECT_EQ(v->m_tStart.millitm, 100);

    // A preset on an idle view restarts without work: the stamps are equal.
    ASSERT_TRUE(host.SendCommand(ID_ITER_100));
    EXPECT_EQ(v->m_bWorking, 0);
    EXPECT_EQ(v->m_tFinish.time, v->m_tStart.time);
    EXPECT_EQ(v->m_tFinish.millitm, v->m_tStart.millitm);
}

namespace {
bool g_failNodes = false;
} // namespace

// Rectangle nodes come from the non-throwing allocation; a test can make it fail.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    if (g_failNodes)
        return nullptr;
    try {
        return ::operator new(size);
    } catch (...) {
        return nullptr;
    }
}

TEST_F(Scheduler, AFailedNodeStopsTheComputationWithOneMessage) {
    CQuirl32View* v = NewView(300, 200);
    g_failNodes = true;
    const BOOL more = Step(v);
    g_failNodes = false;
    EXPECT_FALSE(more);
    EXPECT_EQ(v->m_bWorking, 0);
    EXPECT_EQ(v->m_pRectStack, nullptr);
    EXPECT_EQ(v->m_tFinish.time, v->m_tStart.time); // stopped, not finished
    ASSERT_EQ(host.MessageBoxes().size(), 1u);
    EXPECT_EQ(host.MessageBoxes()[0].text, "Out of memory.");
    // The program goes on: Compute starts afresh.
    ASSERT_TRUE(host.SendCommand(ID_SET_COMPUTE));
    EXPECT_TRUE(Step(v));
    EXPECT_EQ(host.MessageBoxes().size(), 1u);
}
