// Each view's logical palette: built from its colour table, selected and
// realized in the window and the off-screen picture, realized again when the
// main frame asks, and the colour a surface value stands for.

#include "platform/docview/winapp.h"
#include "view/quirl32_view.h"

#include <new>

void CQuirl32View::UpdateLogicalPalette() {
    if (m_pPalette == nullptr) {
        m_pPalette = new (std::nothrow) CPalette;
        if (m_pPalette == nullptr)
            return;
    }
    const bool firstBuild = !m_pPalette->IsCreated();

    const int count = m_nColors + 1;
    LOGPALETTE description;
    description.palVersion = 0x300;
    description.palNumEntries = WORD(count);
    description.palPalEntry.assign(std::size_t(count) + 1, PALETTEENTRY{});
    for (int i = 0; i < count; ++i) {
        PALETTEENTRY& e = description.palPalEntry[std::size_t(i)];
        e.peRed = GetRValue(m_colors[i]);
        e.peGreen = GetGValue(m_colors[i]);
        e.peBlue = GetBValue(m_colors[i]);
        e.peFlags = PC_NOCOLLAPSE;
    }
    // The palette keeps the size it was created with: a later, larger scheme
    // stores only as many entries as it has.
    if (firstBuild)
        m_pPalette->CreatePalette(&description);
    else
        m_pPalette->SetPaletteEntries(0, UINT(count), description.palPalEntry.data());

    CDC* pDC = GetDC();
    if (pDC != nullptr)
        pDC->SelectPalette(m_pPalette, FALSE);
    if (m_pMemDC != nullptr)
        m_pMemDC->SelectPalette(m_pPalette, FALSE);
    if (pDC != nullptr)
        pDC->RealizePalette();
    if (m_pMemDC != nullptr)
        m_pMemDC->RealizePalette();
    if (pDC != nullptr)
        ReleaseDC(pDC);
}

// The answer to the main frame's palette message: the active view realizes
// its palette in the foreground, every other view in the background.
LRESULT CQuirl32View::OnRealizePalette(WPARAM wParam, LPARAM) {
    if (m_pPalette == nullptr)
        return 0;
    CWinApp* pApp = AfxGetApp();
    CWnd* pMainWnd = pApp != nullptr && pApp->m_pMainWnd != nullptr ? pApp->m_pMainWnd : this;
    CClientDC dc(pMainWnd);
    const BOOL background = wParam != WPARAM(GetSafeHwnd());
    CPalette* pOld = dc.SelectPalette(m_pPalette, background);
    if (pOld != nullptr) {
        if (dc.RealizePalette() > 0 && m_pDocument != nullptr)
            m_pDocument->UpdateAllViews(nullptr, 0, nullptr);
        dc.SelectPalette(pOld, TRUE);
    }
    return 0;
}

// How a surface value of the view looks on screen. Pictures keep palette
// indices, so a scheme change recolours what is already drawn.
COLORREF CQuirl32View::ResolveColor(COLORREF value) const {
    if (!IsPaletteIndexColor(value))
        return value & 0x00FFFFFFu;
    const int i = PaletteIndexOf(value);
    if (m_pPalette != nullptr && m_pPalette->HasEntry(i))
        return m_pPalette->GetEntryColor(i);
    // A palette made for a smaller scheme lacks the upper entries of a larger
    // one; the current scheme's table has them.
    if (i < int(std::size(m_colors)))
        return m_colors[i] & 0x00FFFFFFu;
    return kBlack;
}
