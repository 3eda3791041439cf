#pragma once
// Brushes, pens and bitmaps: the objects a drawing context selects.

#include "platform/drawing/surface.h"

#include <memory>

class CDC;
class CWnd;

// Stock objects.
constexpr int WHITE_BRUSH = 0;
constexpr int BLACK_BRUSH = 4;
constexpr int NULL_BRUSH = 5;
constexpr int WHITE_PEN = 6;
constexpr int BLACK_PEN = 7;
constexpr int NULL_PEN = 8;

class CBrush {
public:
    BOOL CreateSolidBrush(COLORREF color) {
        m_color = color;
        m_created = true;
        return TRUE;
    }
    COLORREF GetColor() const { return m_color; }
    bool IsCreated() const { return m_created; }

private:
    COLORREF m_color = kWhite;
    bool m_created = false;
};

class CBitmap {
public:
    // A picture of the given size, black until drawn on.
    BOOL CreateCompatibleBitmap(CDC* pDC, int width, int height);
    Surface* GetSurface() { return m_surface.get(); }
    const Surface* GetSurface() const { return m_surface.get(); }
    // The window of the context the bitmap was made compatible with.
    CWnd* GetOwnerWindow() const { return m_pOwner; }

private:
    std::unique_ptr<Surface> m_surface;
    CWnd* m_pOwner = nullptr;
};
