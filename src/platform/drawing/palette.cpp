#include "platform/drawing/palette.h"

#include <algorithm>

BOOL CPalette::CreatePalette(const LOGPALETTE* pLogPalette) {
    if (m_created || pLogPalette == nullptr)
        return FALSE;
    const std::size_t n =
        std::min<std::size_t>(pLogPalette->palNumEntries, pLogPalette->palPalEntry.size());
    m_entries.assign(pLogPalette->palPalEntry.begin(), pLogPalette->palPalEntry.begin() + n);
    m_created = true;
    return TRUE;
}

UINT CPalette::SetPaletteEntries(UINT nStart, UINT nCount, const PALETTEENTRY* pEntries) {
    if (!m_created || pEntries == nullptr || nStart >= m_entries.size())
        return 0;
    const UINT n = std::min<UINT>(nCount, UINT(m_entries.size()) - nStart);
    std::copy(pEntries, pEntries + n, m_entries.begin() + nStart);
    return n;
}

COLORREF CPalette::GetEntryColor(int i) const {
    if (!HasEntry(i))
        return RGB(0, 0, 0);
    const PALETTEENTRY& e = m_entries[std::size_t(i)];
    return RGB(e.peRed, e.peGreen, e.peBlue);
}
