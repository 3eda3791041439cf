#include "support/set_window.h"

#include <cmath>

using Kernel = SetWindowTest;

TEST_F(Kernel, IndicesOfKnownPoints) {
    CQuirl32View* v = NewView(300, 200);
    ASSERT_EQ(Doc(v).m_nIterations, 50);
    ASSERT_EQ(v->m_nColors, 192);
    EXPECT_EQ(v->ComputePoint(0.0, 0.0), 0);
    EXPECT_EQ(v->ComputePoint(-1.0, 0.0), 0);
    EXPECT_EQ(v->ComputePoint(0.0, 1.0), 0);
    EXPECT_EQ(v->ComputePoint(2.0, 0.0), 0);
    EXPECT_EQ(v->ComputePoint(-2.0, 0.0), 0);
    EXPECT_EQ(v->ComputePoint(1.0, 0.0), 1);
    EXPECT_EQ(v->ComputePoint(1.9, 0.0), 1);
    EXPECT_EQ(v->ComputePoint(0.5, 0.0), 4);
    EXPECT_EQ(v->ComputePoint(-0.75, 0.1), 32);
    EXPECT_EQ(v->ComputePoint(0.26, 0.0), 29);
}

TEST_F(Kernel, LimitAndPaletteSizeAreReadAtEveryCall) {
    CQuirl32View* v = NewView(300, 200);
    Doc(v).m_nIterations = 1;
    EXPECT_EQ(v->ComputePoint(1.0, 0.0), 0); // escaped exactly at the limit
    EXPECT_EQ(v->ComputePoint(0.5, 0.0), 0);
    Doc(v).m_nIterations = 0;
    EXPECT_EQ(v->ComputePoint(0.5, 0.0), 0);
    Doc(v).m_nIterations = -7;
    EXPECT_EQ(v->ComputePoint(0.5, 0.0), 0);

    // -0.75 + 0.1i escapes after 32 iterations: a 20-colour cycle wraps it.
    Doc(v).m_nIterations = 50;
    v->m_nColors = 20;
    EXPECT_EQ(v->ComputePoint(-0.75, 0.1), 12);
}

TEST_F(Kernel, PixelsOfTheDefaultSetIn300x200) {
    CQuirl32View* v = NewView(300, 200);
    EXPECT_EQ(v->PixelIndex(0, 0), 0);
    EXPECT_EQ(v->PixelIndex(150, 100), 0);
    EXPECT_EQ(v->PixelIndex(200, 100), 11);
    EXPECT_EQ(v->PixelIndex(240, 100), 2);
    EXPECT_EQ(v->PixelIndex(100, 50), 4);
    EXPECT_EQ(v->PixelIndex(300, 200), 1); // just beyond the client area
    EXPECT_NEAR(150 * v->m_dScaleX + Doc(v).m_extents.xMin, -0.3, 1e-12);
    EXPECT_NEAR(100 * v->m_dScaleY + Doc(v).m_extents.yMin, 0.0, 1e-12);
}

TEST_F(Kernel, WritingAPixelGoesToWindowAndPicture) {
    CQuirl32View* v = NewView(300, 200);
    v->m_pWindowDC = v->GetDC();
    v->WritePixel(200, 100);
    v->WritePixel(300, 200); // clipped on both
    v->ReleaseDC(v->m_pWindowDC);
    v->m_pWindowDC = nullptr;
    EXPECT_EQ(Window(v).Get(200, 100), PaletteIndexColor(11));
    EXPECT_EQ(Picture(v).Get(200, 100), PaletteIndexColor(11));
    EXPECT_EQ(Window(v).Get(199, 100), kWhite);
}
