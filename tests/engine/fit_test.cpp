#include "support/set_window.h"

#include <cmath>

using Fit = SetWindowTest;

TEST_F(Fit, ImaginaryRangeDecidesTheScale) {
    CQuirl32View* v = NewView(300, 200);
    EXPECT_DOUBLE_EQ(v->m_dScaleX, 0.012);
    EXPECT_EQ(v->m_dScaleX, v->m_dScaleY);
    EXPECT_EQ(Doc(v).m_extents.xMax, 1.5);

    host.SetViewClientSize(v, 252, 230);
    EXPECT_EQ(v->m_dScaleX, 0.010434782608695651);
    EXPECT_EQ(Doc(v).m_extents.xMax, 0.5295652173913039);

    host.SetViewClientSize(v, 400, 200);
    EXPECT_NEAR(Doc(v).m_extents.xMax, 2.7, 1e-15);
    EXPECT_EQ(Doc(v).m_extents.xMin, -2.1);
    EXPECT_EQ(Doc(v).m_extents.yMin, -1.2);
    EXPECT_EQ(Doc(v).m_extents.yMax, 1.2);
}

TEST_F(Fit, TheInitialUpdateFitsBeforeAnyPaint) {
    app.OnFileNew();
    auto* v = dynamic_cast<CQuirl32View*>(host.GetActiveChildFrame()->GetActiveView());
    ASSERT_NE(v, nullptr);
    // The 260 x 260 set window: 252 x 230 client pixels, no paint yet.
    EXPECT_TRUE(host.IsPaintPending(v));
    EXPECT_EQ(v->m_dScaleX, 0.010434782608695651);
    EXPECT_EQ(Doc(v).m_extents.xMax, 0.5295652173913039);
}

TEST_F(Fit, ZeroHeightKeepsScalesAndExtents) {
    CQuirl32View* v = NewView(300, 200);
    host.SetViewClientSize(v, 300, 0, SIZE_MINIMIZED);
    EXPECT_DOUBLE_EQ(v->m_dScaleX, 0.012);
    EXPECT_EQ(Doc(v).m_extents.xMax, 1.5);
    EXPECT_EQ(v->m_rcClient.bottom, 0);
    // Steps over an empty area stay finite and finish.
    EXPECT_LT(Finish(v), 10);
    EXPECT_TRUE(std::isfinite(Doc(v).m_extents.xMax));

    host.SetViewClientSize(v, 300, 200, SIZE_RESTORED);
    EXPECT_DOUBLE_EQ(v->m_dScaleX, 0.012);
}

TEST_F(Fit, EqualOrReversedImaginaryBounds) {
    CQuirl32View* v = NewView(300, 200);
    Doc(v).m_extents = SetExtents{-1.0, 1.0, 0.5, 0.5};
    v->FitToClient();
    EXPECT_EQ(v->m_dScaleX, 0.0);
    EXPECT_EQ(Doc(v).m_extents.xMax, -1.0);

    Doc(v).m_extents = SetExtents{-1.0, 1.0, 1.2, -1.2};
    v->FitToClient();
    EXPECT_DOUBLE_EQ(v->m_dScaleY, 0.012);
    EXPECT_NEAR(100 * v->m_dScaleY + Doc(v).m_extents.yMin, 2.4, 1e-12);
}
