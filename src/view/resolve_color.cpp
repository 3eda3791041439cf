// How a surface value of the view looks on screen. Pictures keep palette
// indices, so a scheme change recolours what is already drawn.

#include "view/quirl32_view.h"

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
