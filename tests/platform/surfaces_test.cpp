// Drawing on in-memory surfaces: fills, copies, the stock rectangle, clipping
// and palettes.

#include "platform/drawing/dc.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kIndex7 = PaletteIndexColor(7);

TEST(Surfaces, FillRectExcludesRightAndBottomAndClips) {
    Surface s(6, 5);
    CDC dc(&s);
    CBrush brush;
    brush.CreateSolidBrush(kIndex7);
    RECT rc{1, 1, 3, 4};
    dc.FillRect(&rc, &brush);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(s.Get(x, y), (x >= 1 && x < 3 && y >= 1 && y < 4) ? kIndex7 : kWhite)
                << x << "," << y;

    // Partly and wholly outside: only the inside part is written, nothing breaks.
    RECT outside{-10, -10, 1, 1};
    dc.FillRect(&outside, &brush);
    EXPECT_EQ(s.Get(0, 0), kIndex7);
    RECT beyond{100, 100, 200, 200};
    dc.FillRect(&beyond, &brush);
    RECT reversed{4, 4, 2, 2};
    dc.FillRect(&reversed, &brush);
    EXPECT_EQ(s.Get(3, 3), kWhite);
    EXPECT_EQ(dc.SetPixel(6, 0, kIndex7), COLORREF(-1));
    EXPECT_EQ(dc.SetPixel(-1, 2, kIndex7), COLORREF(-1));
    EXPECT_EQ(dc.GetPixel(6, 0), COLORREF(-1));
}

TEST(Surfaces, BitBltCopiesExactlyAndClips) {
    Surface src(4, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            src.Set(x, y, PaletteIndexColor(10 * y + x));
    Surface dst(4, 3, kBlack);
    CDC from(&src);
    CDC to(&dst);
    EXPECT_TRUE(to.BitBlt(0, 0, 4, 3, &from, 0, 0, SRCCOPY));
    EXPECT_EQ(dst.Pixels(), src.Pixels());

    // Shifted by one: the part that falls outside is dropped.
    Surface shifted(4, 3, kBlack);
    CDC toShifted(&shifted);
    toShifted.BitBlt(1, 1, 4, 3, &from, 0, 0, SRCCOPY);
    EXPECT_EQ(shifted.Get(0, 0), kBlack);
    EXPECT_EQ(shifted.Get(1, 1), PaletteIndexColor(0));
    EXPECT_EQ(shifted.Get(3, 2), PaletteIndexColor(12));
}

TEST(Surfaces, StretchBltOnTheSameSurfaceReadsThePictureBeforeTheCopy) {
    // Column x holds index x. Stretching the 2 x 2 block at (1, 1) over the
    // whole 4 x 4 surface doubles it, from the picture as it was.
    Surface s(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            s.Set(x, y, PaletteIndexColor(4 * y + x));
    CDC dc(&s);
    EXPECT_TRUE(dc.StretchBlt(0, 0, 4, 4, &dc, 1, 1, 2, 2, SRCCOPY));
    const COLORREF expected[4][4] = {{5, 5, 6, 6}, {5, 5, 6, 6}, {9, 9, 10, 10}, {9, 9, 10, 10}};
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(s.Get(x, y), PaletteIndexColor(int(expected[y][x]))) << x << "," << y;

    // Shrinking samples pixel centres.
    Surface wide(6, 1);
    for (int x = 0; x < 6; ++x)
        wide.Set(x, 0, PaletteIndexColor(x));
    Surface narrow(3, 1);
    CDC w(&wide), n(&narrow);
    n.StretchBlt(0, 0, 3, 1, &w, 0, 0, 6, 1, SRCCOPY);
    EXPECT_EQ(narrow.Get(0, 0), PaletteIndexColor(1));
    EXPECT_EQ(narrow.Get(1, 0), PaletteIndexColor(3));
    EXPECT_EQ(narrow.Get(2, 0), PaletteIndexColor(5));
}

TEST(Surfaces, RectangleWithStockWhiteBrushAndPenClearsTheWholePicture) {
    CBitmap bitmap;
    CDC screen;
    bitmap.CreateCompatibleBitmap(&screen, 5, 4);
    EXPECT_EQ(bitmap.GetSurface()->Get(2, 2), kBlack); // black until drawn on
    CDC mem;
    mem.CreateCompatibleDC(&screen);
    mem.SelectObject(&bitmap);
    mem.SelectStockObject(WHITE_BRUSH);
    mem.SelectStockObject(WHITE_PEN);
    mem.Rectangle(0, 0, 5, 4);
    for (COLORREF c : bitmap.GetSurface()->Pixels())
        EXPECT_EQ(c, kWhite);

    // The default black pen outlines inside the right and bottom edges.
    mem.SelectStockObject(BLACK_PEN);
    mem.Rectangle(0, 0, 5, 4);
    EXPECT_EQ(bitmap.GetSurface()->Get(4, 3), kBlack);
    EXPECT_EQ(bitmap.GetSurface()->Get(2, 2), kWhite);
    EXPECT_EQ(bitmap.GetSurface()->Get(0, 1), kBlack);
}

TEST(Surfaces, ResizeKeepsTheTopLeftContent) {
    Surface s(2, 2, kIndex7);
    s.Resize(3, 1);
    EXPECT_EQ(s.Get(1, 0), kIndex7);
    EXPECT_EQ(s.Get(2, 0), kWhite);
    s.Resize(0, 0);
    EXPECT_EQ(s.Pixels().size(), 0u);
    s.Resize(-4, 3);
    EXPECT_EQ(s.Width(), 0);
}

TEST(Palettes, EntriesAreOverwrittenButThePaletteNeverGrows) {
    LOGPALETTE log;
    log.palNumEntries = 3;
    log.palPalEntry.resize(3);
    CPalette palette;
    ASSERT_TRUE(palette.CreatePalette(&log));
    EXPECT_FALSE(palette.CreatePalette(&log)); // once only

    std::vector<PALETTEENTRY> entries(5, PALETTEENTRY{10, 20, 30, PC_NOCOLLAPSE});
    EXPECT_EQ(palette.SetPaletteEntries(1, 5, entries.data()), 2u);
    EXPECT_EQ(palette.GetEntryCount(), 3);
    EXPECT_EQ(palette.GetEntryColor(2), RGB(10, 20, 30));
    EXPECT_EQ(palette.GetEntryColor(0), RGB(0, 0, 0));
    EXPECT_EQ(palette.SetPaletteEntries(3, 1, entries.data()), 0u);
    EXPECT_EQ(palette.GetEntryColor(7), RGB(0, 0, 0));

    CDC dc;
    EXPECT_NE(dc.SelectPalette(&palette, FALSE), nullptr);
    EXPECT_EQ(dc.SelectPalette(&palette, TRUE), &palette);
    EXPECT_FALSE(dc.IsPaletteForeground());
    EXPECT_EQ(dc.RealizePalette(), 0u);
}

} // namespace
