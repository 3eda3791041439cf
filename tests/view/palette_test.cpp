#include "support/set_window.h"

namespace {

COLORREF Rgb(int r, int g, int b) {
    return RGB(BYTE(r), BYTE(g), BYTE(b));
}
COLORREF Gray(int level) {
    return Rgb(level, level, level);
}

} // namespace

using Palettes = SetWindowTest;

TEST_F(Palettes, StandardRamps) {
    CQuirl32View* v = NewView(30, 20);
    v->BuildPaletteColors(Standard);
    EXPECT_EQ(v->m_nColors, 192);
    EXPECT_EQ(v->m_nSegmentLength, 32);
    const COLORREF anchors[7] = {Rgb(0, 0, 0),      Rgb(255, 255, 0), Rgb(255, 0, 0),
                                 Rgb(180, 0, 255),  Rgb(0, 255, 255), Rgb(0, 0, 255),
                                 Rgb(255, 255, 255)};
    for (int a = 0; a < 7; ++a) {
        EXPECT_EQ(v->m_colors[32 * a], anchors[a]) << a;
        EXPECT_EQ(v->m_anchors[a], anchors[a]) << a;
    }
    EXPECT_EQ(v->m_colors[8], Rgb(63, 63, 0));
    EXPECT_EQ(v->m_colors[33], Rgb(255, 247, 0));
    EXPECT_EQ(v->m_colors[65], Rgb(252, 0, 7));
    EXPECT_EQ(v->m_colors[191], Rgb(247, 247, 255));
}

TEST_F(Palettes, GrayscaleRampsOverlap) {
    CQuirl32View* v = NewView(30, 20);
    v->BuildPaletteColors(Grayscale);
    EXPECT_EQ(v->m_nColors, 200);
    EXPECT_EQ(v->m_nSegmentLength, 40);
    const int samples[][2] = {{0, 55},    {40, 255}, {41, 55},   {80, 250},  {81, 255}, {82, 60},
                              {121, 255}, {122, 60}, {199, 245}, {200, 250}, {201, 255}};
    for (const auto& s : samples)
        EXPECT_EQ(v->m_colors[s[0]], Gray(s[1])) << s[0];
}

TEST_F(Palettes, BlackAndWhiteAlternate) {
    CQuirl32View* v = NewView(30, 20);
    v->BuildPaletteColors(BlackWhite);
    EXPECT_EQ(v->m_nColors, 192);
    EXPECT_EQ(v->m_colors[0], kBlack);
    EXPECT_EQ(v->m_colors[1], kWhite);
    EXPECT_EQ(v->m_colors[191], kWhite);
    EXPECT_EQ(v->m_colors[192], kBlack);
    EXPECT_EQ(v->m_colors[193], kWhite);
}

TEST_F(Palettes, UnknownSchemeChangesNothing) {
    CQuirl32View* v = NewView(30, 20);
    v->BuildPaletteColors(Grayscale);
    v->BuildPaletteColors(PaletteScheme(7));
    EXPECT_EQ(v->m_nColors, 200);
    EXPECT_EQ(v->m_colors[0], Gray(55));
}

TEST_F(Palettes, TheLogicalPaletteNeverGrows) {
    CQuirl32View* v = NewView(30, 20);
    ASSERT_NE(v->m_pPalette, nullptr);
    EXPECT_EQ(v->m_pPalette->GetEntryCount(), 193);
    EXPECT_EQ(v->m_pPalette->GetEntryColor(192), kWhite);
    EXPECT_EQ(v->m_pMemDC->GetSelectedPalette(), v->m_pPalette);

    ASSERT_TRUE(host.SendCommand(ID_COLORS_GRAYSCALE));
    EXPECT_EQ(v->m_pPalette->GetEntryCount(), 193);
    EXPECT_EQ(v->m_pPalette->GetEntryColor(0), Gray(55));
    EXPECT_EQ(v->m_pPalette->GetEntryColor(192), Gray(210));
    // The entries the palette lacks come from the scheme's table.
    EXPECT_EQ(v->ResolveColor(PaletteIndexColor(195)), Gray(225));
    EXPECT_EQ(v->ResolveColor(PaletteIndexColor(199)), Gray(245));
    EXPECT_EQ(v->ResolveColor(kWhite), kWhite);

    // A view opened under Grayscale has 201 entries; back to Standard, its
    // upper entries keep their gray.
    CQuirl32View* w = NewView(30, 20);
    EXPECT_EQ(w->m_pPalette->GetEntryCount(), 201);
    ASSERT_TRUE(host.SendCommand(ID_COLORS_STANDARD));
    EXPECT_EQ(w->m_pPalette->GetEntryColor(192), kWhite);
    EXPECT_EQ(w->m_pPalette->GetEntryColor(200), Gray(250));
}

TEST_F(Palettes, SchemeCommandsRecolourWithoutRestarting) {
    CQuirl32View* v = NewView(30, 20);
    for (int i = 0; i < 3; ++i)
        Step(v);
    const RectNode* top = v->m_pRectStack;
    const _timeb start = v->m_tStart;
    const COLORREF before = v->ResolveColor(PaletteIndexColor(8));

    ASSERT_TRUE(host.SendCommand(ID_COLORS_BW));
    EXPECT_EQ(app.m_paletteScheme, BlackWhite);
    EXPECT_EQ(v->m_pRectStack, top);
    EXPECT_EQ(v->m_tStart.time, start.time);
    EXPECT_EQ(v->m_bWorking, 1);
    EXPECT_NE(v->ResolveColor(PaletteIndexColor(8)), before);
    EXPECT_EQ(v->ResolveColor(PaletteIndexColor(8)), kBlack);
    EXPECT_EQ(v->ResolveColor(PaletteIndexColor(9)), kWhite);

    EXPECT_EQ(host.QueryCommand(ID_COLORS_BW).check, 1);
    EXPECT_EQ(host.QueryCommand(ID_COLORS_STANDARD).check, 0);
    EXPECT_EQ(host.QueryCommand(ID_COLORS_GRAYSCALE).check, 0);
    EXPECT_TRUE(host.QueryCommand(ID_COLORS_GRAYSCALE).enabled);
}

TEST_F(Palettes, SchemeWithoutWindowsAppliesToLaterOnes) {
    ASSERT_TRUE(host.SendCommand(ID_COLORS_GRAYSCALE));
    EXPECT_EQ(app.m_paletteScheme, Grayscale);
    EXPECT_EQ(host.QueryCommand(ID_COLORS_GRAYSCALE).check, 1);
    CQuirl32View* v = NewView(30, 20);
    EXPECT_EQ(v->m_nColors, 200);
    EXPECT_EQ(v->ResolveColor(PaletteIndexColor(0)), Gray(55));
}

TEST_F(Palettes, RealizeMessageLeavesTheViewAlone) {
    CQuirl32View* v = NewView(30, 20);
    const RectNode* top = v->m_pRectStack;
    EXPECT_EQ(v->SendMessage(WM_USER, WPARAM(v->GetSafeHwnd()), 0), 0);
    EXPECT_EQ(v->SendMessage(WM_USER, 0, 0), 0);
    EXPECT_EQ(v->m_pRectStack, top);
    EXPECT_EQ(v->m_bWorking, 1);
}
