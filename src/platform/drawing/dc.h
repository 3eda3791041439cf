#pragma once
// A drawing context over a surface: a window's client area, an off-screen
// bitmap or a printed page. Everything is clipped silently.

#include "platform/drawing/gdi_objects.h"
#include "platform/drawing/palette.h"

class CWnd;

constexpr DWORD SRCCOPY = 0x00CC0020;

class CDC {
public:
    CDC() = default;
    explicit CDC(Surface* target) : m_pSurface(target) {}
    virtual ~CDC() = default;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    // A memory context; it draws nowhere until a bitmap is selected into it.
    BOOL CreateCompatibleDC(CDC* pDC);

    Surface* GetSurface() { return m_pSurface; }
    const Surface* GetSurface() const { return m_pSurface; }
    void SetSurface(Surface* target) { m_pSurface = target; }

    COLORREF SetPixel(int x, int y, COLORREF color);
    COLORREF GetPixel(int x, int y) const;
    // Right and bottom edges excluded.
    int FillRect(const RECT* pRect, CBrush* pBrush);
    // The current brush fills and the current pen outlines (l, t, r, b), right
    // and bottom excluded.
    BOOL Rectangle(int left, int top, int right, int bottom);
    BOOL Rectangle(const RECT* pRect) {
        return Rectangle(pRect->left, pRect->top, pRect->right, pRect->bottom);
    }
    BOOL BitBlt(int x, int y, int width, int height, CDC* pSrc, int xSrc, int ySrc, DWORD rop);
    // Source and destination may be the same surface. Nearest-pixel sampling.
    BOOL StretchBlt(int x, int y, int width, int height, CDC* pSrc, int xSrc, int ySrc,
                    int srcWidth, int srcHeight, DWORD rop);

    // Returns the stock object id that was selected before (brush or pen kind).
    int SelectStockObject(int nIndex);
    CBitmap* SelectObject(CBitmap* pBitmap);
    CPalette* SelectPalette(CPalette* pPalette, BOOL bForceBackground);
    // A true-colour display maps no entries, so realizing changes none.
    UINT RealizePalette();
    CPalette* GetSelectedPalette() const { return m_pPalette; }
    BOOL IsPaletteForeground() const { return m_bForeground; }

    // The window whose palette resolves this context's colours for export.
    CWnd* GetOwnerWindow() const { return m_pOwner; }
    void SetOwnerWindow(CWnd* pWnd) { m_pOwner = pWnd; }

private:
    Surface* m_pSurface = nullptr;
    CWnd* m_pOwner = nullptr;
    CBitmap* m_pBitmap = nullptr;
    CPalette* m_pPalette = nullptr;
    BOOL m_bForeground = TRUE;
    int m_brush = WHITE_BRUSH;
    int m_pen = BLACK_PEN;
};
