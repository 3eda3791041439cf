// Each view's logical palette: built from its colour table, selected and
// realized in the window and the off-screen picture.

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
