#include "support/set_window.h"

namespace {

// The old picture's region stretched over the whole area, as the preview
// must show it.
Surface Stretched(const Surface& old, int left, int top, int width, int height) {
    Surface src = old;
    Surface dst(old.Width(), old.Height());
    CDC from(&src);
    CDC to(&dst);
    to.StretchBlt(0, 0, old.Width(), old.Height(), &from, left, top, width, height, SRCCOPY);
    return dst;
}

} // namespace

class Zoom : public SetWindowTest {
protected:
    CQuirl32View* Drag(const CRect& band) {
        host.PushRubberBand(band);
        v->SendMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(band.left, band.top));
        return v;
    }
    void SetUp() override {
        SetWindowTest::SetUp();
        v = NewView(300, 200);
        Finish(v);
        old = Picture(v);
    }
    CQuirl32View* v = nullptr;
    Surface old;
};

TEST_F(Zoom, DragInsideTheDefaultSet) {
    ManualClock::Set(2000, 0);
    Drag(CRect(100, 50, 200, 101));
    const SetExtents& e = Doc(v).m_extents;
    EXPECT_NEAR(e.xMin, -0.9, 1e-12);
    EXPECT_NEAR(e.yMin, -0.6, 1e-12);
    EXPECT_NEAR(e.yMax, 0.012, 1e-12);
    EXPECT_NEAR(v->m_dScaleX, 0.00306, 1e-12);
    EXPECT_NEAR(e.xMax, 0.018, 1e-12);
    const SetExtents& u = Doc(v).m_undoExtents;
    EXPECT_EQ(u.xMin, -2.1);
    EXPECT_EQ(u.xMax, 1.5);
    EXPECT_EQ(u.yMin, -1.2);
    EXPECT_EQ(u.yMax, 1.2);

    // right' = 176: the 76 x 51 region at (100, 50) fills window and picture.
    const Surface expected = Stretched(old, 100, 50, 76, 51);
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 300; ++x) {
            ASSERT_EQ(Window(v).Get(x, y), expected.Get(x, y)) << x << "," << y;
            ASSERT_EQ(Picture(v).Get(x, y), expected.Get(x, y)) << x << "," << y;
        }
    EXPECT_EQ(Doc(v).m_bPictureValid, 0);
    EXPECT_EQ(v->m_bWorking, 1);
    EXPECT_EQ(v->m_tStart.time, 2000);
    EXPECT_TRUE(host.QueryCommand(ID_EDIT_UNDO).enabled);
}

TEST_F(Zoom, AWideDragShrinksTheRealRange) {
    Drag(CRect(30, 40, 270, 101));
    EXPECT_NEAR(v->m_dScaleX, 0.00366, 1e-12);
    EXPECT_NEAR(Doc(v).m_extents.xMax, -0.642, 1e-12);
    // right' = 121: the 91 x 61 region at (30, 40).
    const Surface expected = Stretched(old, 30, 40, 91, 61);
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 300; ++x)
            ASSERT_EQ(Window(v).Get(x, y), expected.Get(x, y)) << x << "," << y;
}

TEST_F(Zoom, AClickOrACancelledDragChangesNothing) {
    const SetExtents before = Doc(v).m_extents;
    const _timeb start = v->m_tStart;
    host.PushRubberBandCancel();
    v->SendMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(10, 10));
    Drag(CRect(10, 10, 10, 10));
    EXPECT_EQ(host.RubberBandCalls(), 2);
    EXPECT_EQ(Doc(v).m_extents.xMax, before.xMax);
    EXPECT_EQ(Doc(v).m_undoExtents.xMin, 0.0);
    EXPECT_EQ(v->m_bWorking, 0);
    EXPECT_EQ(v->m_tStart.millitm, start.millitm);
    EXPECT_FALSE(host.QueryCommand(ID_EDIT_UNDO).enabled);
}

TEST_F(Zoom, TheNewPictureIsComputedOverThePreviewAndUndoGoesBack) {
    Drag(CRect(100, 50, 200, 101));
    EXPECT_TRUE(host.PumpUntilIdle(app));
    EXPECT_EQ(Doc(v).m_bPictureValid, 1);
    EXPECT_EQ(IndexAt(Window(v), 150, 100), v->PixelIndex(150, 100));
    // Copy just after a zoom gets the preview; here, the new picture.
    ASSERT_TRUE(host.SendCommand(ID_EDIT_COPY));
    ASSERT_TRUE(host.SendCommand(ID_EDIT_UNDO));
    EXPECT_EQ(Doc(v).m_extents.xMin, -2.1);
    EXPECT_EQ(v->m_bWorking, 1);
    EndOfInput(v);
    EXPECT_TRUE(host.PumpUntilIdle(app));
    EXPECT_EQ(v->m_bWorking, 0);
    EXPECT_DOUBLE_EQ(v->m_dScaleX, 0.012);
    EXPECT_EQ(IndexAt(Window(v), 200, 100), 11);
}
