#include "support/set_window.h"

#include "platform/framework/frame.h"

using SetView = SetWindowTest;

TEST_F(SetView, ViewsRegisterNewestFirstAndLeaveOnClose) {
    CQuirl32View* a = NewView(30, 20);
    CQuirl32View* b = NewView(30, 20);
    CQuirl32View* c = NewView(30, 20);
    ASSERT_NE(app.m_viewRegistry, nullptr);
    EXPECT_EQ(app.m_viewRegistry->pView, c);
    EXPECT_EQ(app.m_viewRegistry->pNext->pView, b);
    EXPECT_EQ(app.m_viewRegistry->pNext->pNext->pView, a);
    EXPECT_EQ(app.m_viewRegistry->pNext->pNext->pNext, nullptr);

    // Closing the middle window unlinks its view only.
    auto* frameB = dynamic_cast<CMDIChildWnd*>(b->GetParent());
    ASSERT_NE(frameB, nullptr);
    frameB->MDIDestroy();
    EXPECT_EQ(app.m_viewRegistry->pView, c);
    EXPECT_EQ(app.m_viewRegistry->pNext->pView, a);
    EXPECT_EQ(app.m_viewRegistry->pNext->pNext, nullptr);
    EXPECT_TRUE(host.PumpUntilIdle(app));
}

TEST_F(SetView, InitialUpdateMakesAWhitePictureAndStamps) {
    ManualClock::Set(500, 7);
    CQuirl32View* v = NewView(40, 30);
    EXPECT_EQ(v->m_pDoc, v->GetDocument());
    EXPECT_EQ(v->m_pWindowDC, nullptr);
    EXPECT_EQ(Picture(v).Width(), 40);
    EXPECT_EQ(Picture(v).Height(), 30);
    EXPECT_EQ(Picture(v).Get(0, 0), kWhite);
    EXPECT_EQ(Picture(v).Get(39, 29), kWhite);
    EXPECT_EQ(Doc(v).m_bPictureValid, 0);
    EXPECT_EQ(v->m_tStart.time, 500);
    EXPECT_EQ(v->m_tFinish.millitm, 7);
    EXPECT_EQ(v->m_bWorking, 1);
}

TEST_F(SetView, RepaintsCopyThePictureOnlyOnceItIsValid) {
    CQuirl32View* v = NewView(40, 30);
    // Not valid yet: a paint only fits, the window stays white.
    Doc(v).m_extents.xMax = 99.0;
    v->Invalidate(FALSE);
    host.PumpMessages();
    EXPECT_EQ(Doc(v).m_extents.xMax, -2.1 + 40 * (2.4 / 30));
    EXPECT_EQ(Window(v).Get(5, 5), kWhite);

    Finish(v);
    Surface& window = *host.GetWindowSurface(v);
    window.Fill(0, 0, 40, 30, kWhite);
    v->Invalidate(FALSE);
    host.PumpMessages();
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(Window(v).Get(x, y), Picture(v).Get(x, y));
}

TEST_F(SetView, DocumentUpdatesRestartOverTheOldPicture) {
    CQuirl32View* v = NewView(40, 30);
    Finish(v);
    const COLORREF kept = Picture(v).Get(20, 15);
    ASSERT_TRUE(host.SendCommand(ID_SET_STOP) == FALSE); // finished: Stop is disabled
    ASSERT_TRUE(host.SendCommand(ID_SET_UNZOOM));
    EXPECT_EQ(v->m_bWorking, 1);
    EXPECT_EQ(v->m_pRectStack, nullptr);
    EXPECT_EQ(Picture(v).Get(20, 15), kept);
    EXPECT_EQ(Doc(v).m_bPictureValid, 0);
    EXPECT_TRUE(host.QueryCommand(ID_EDIT_UNDO).enabled);
}

TEST_F(SetView, ResizingForgetsUndoAndStartsFromWhite) {
    CQuirl32View* v = NewView(40, 30);
    Finish(v);
    ASSERT_TRUE(host.SendCommand(ID_SET_UNZOOM));
    Finish(v);
    ASSERT_TRUE(host.QueryCommand(ID_EDIT_UNDO).enabled);

    host.SetViewClientSize(v, 50, 20);
    EXPECT_FALSE(host.QueryCommand(ID_EDIT_UNDO).enabled);
    EXPECT_EQ(Picture(v).Width(), 50);
    EXPECT_EQ(Picture(v).Height(), 20);
    EXPECT_EQ(Picture(v).Get(10, 10), kWhite);
    EXPECT_EQ(Doc(v).m_bPictureValid, 0);
    EXPECT_EQ(v->m_bWorking, 1);
    EXPECT_EQ(v->m_rcClient.right, 50);
    EXPECT_DOUBLE_EQ(v->m_dScaleX, 4.8 / 20);
    // The palette stays and serves the new picture.
    EXPECT_EQ(v->m_pMemDC->GetSelectedPalette(), v->m_pPalette);
    EXPECT_TRUE(host.PumpUntilIdle(app));
    EXPECT_EQ(IndexAt(Picture(v), 49, 19), IndexAt(Window(v), 49, 19));
}

TEST_F(SetView, MinimisingAndRestoring) {
    CQuirl32View* v = NewView(40, 30);
    host.SetViewClientSize(v, 0, 0, SIZE_MINIMIZED);
    EXPECT_TRUE(host.PumpUntilIdle(app));
    EXPECT_DOUBLE_EQ(v->m_dScaleX, 0.08);
    host.SetViewClientSize(v, 40, 30, SIZE_RESTORED);
    EndOfInput(v);
    EXPECT_EQ(Picture(v).Width(), 40);
    EXPECT_TRUE(host.PumpUntilIdle(app));
    EXPECT_GE(IndexAt(Window(v), 39, 29), 0);
}

TEST_F(SetView, CopyPutsTheResolvedPictureOnTheClipboard) {
    CQuirl32View* v = NewView(40, 30);
    Finish(v);
    // The window may be covered; the clipboard gets the off-screen picture.
    host.GetWindowSurface(v)->Fill(0, 0, 40, 30, kBlack);
    ASSERT_TRUE(host.SendCommand(ID_EDIT_COPY));
    const Surface* clip = host.ClipboardImage();
    ASSERT_NE(clip, nullptr);
    ASSERT_EQ(clip->Width(), 40);
    ASSERT_EQ(clip->Height(), 30);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(clip->Get(x, y), v->ResolveColor(Picture(v).Get(x, y)));
}

TEST_F(SetView, PrintingCopiesThePictureUnscaled) {
    CQuirl32View* v = NewView(40, 30);
    ASSERT_TRUE(host.SendCommand(ID_FILE_PRINT));
    ASSERT_EQ(host.PrintJobs().size(), 1u);
    EXPECT_EQ(host.PrintJobs()[0].page.Get(3, 3), kWhite); // not valid: empty page
    Finish(v);
    ASSERT_TRUE(host.SendCommand(ID_FILE_PRINT_PREVIEW));
    ASSERT_TRUE(host.SendCommand(ID_FILE_PRINT_DIRECT));
    ASSERT_EQ(host.PrintJobs().size(), 3u);
    EXPECT_TRUE(host.PrintJobs()[1].bPreview);
    EXPECT_TRUE(host.PrintJobs()[2].bDirect);
    EXPECT_EQ(host.PrintJobs()[2].page.Get(20, 15), Picture(v).Get(20, 15));
}
