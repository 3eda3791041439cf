// The colour tables of the three schemes.

#include "view/quirl32_view.h"

namespace {

constexpr COLORREF kStandardAnchors[7] = {
    0x00000000, // black
    0x0000FFFF, // yellow
    0x000000FF, // red
    0x00FF00B4, // violet
    0x00FFFF00, // cyan
    0x00FF0000, // blue
    0x00FFFFFF, // white
};

BYTE Channel(COLORREF c, int shift) {
    return BYTE((c >> shift) & 0xFF);
}

} // namespace

void CQuirl32View::BuildPaletteColors(PaletteScheme scheme) {
    switch (scheme) {
    case Standard:
        for (int a = 0; a < 7; ++a)
            m_anchors[a] = kStandardAnchors[a];
        m_nSegmentLength = 32;
        m_nColors = 192;
        // Six ramps of 33 entries; neighbours share their end entry.
        for (int s = 1; s <= 6; ++s) {
            const COLORREF c0 = m_anchors[s - 1];
            const COLORREF c1 = m_anchors[s];
            for (int j = 0; j <= 32; ++j) {
                COLORREF entry = 0;
                for (int shift = 0; shift <= 16; shift += 8) {
                    const float start = Channel(c0, shift);
                    const float step = (float(Channel(c1, shift)) - start) / 32.0f;
                    const int value = int(start + float(j) * step);
                    entry |= COLORREF(BYTE(value)) << shift;
                }
                m_colors[(s - 1) * 32 + j] = entry;
            }
        }
        break;
    case Grayscale:
        m_nSegmentLength = 40;
        m_nColors = 200;
        // Five ramps from level 55 to 255; from the second on they overlap
        // their predecessor by one entry.
        for (int i = 0; i <= 40; ++i) {
            const BYTE v = BYTE(55 - int(i * -5.0));
            const COLORREF gray = COLORREF(v) * 0x010101u;
            m_colors[i] = gray;
            m_colors[i + 41] = gray;
            m_colors[i + 81] = gray;
            m_colors[i + 121] = gray;
            m_colors[i + 161] = gray;
        }
        break;
    case BlackWhite:
        m_nSegmentLength = 32;
        m_nColors = 192;
        for (int k = 0; k <= 192; k += 2) {
            m_colors[k] = 0x000000;
            m_colors[k + 1] = 0xFFFFFF;
        }
        break;
    default:
        break;
    }
}
