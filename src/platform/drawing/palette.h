#pragma once
// Logical palettes: a fixed number of entries set at creation, which later
// writes overwrite but never grow.

#include "platform/framework/types.h"

#include <vector>

constexpr BYTE PC_NOCOLLAPSE = 4;

struct PALETTEENTRY {
    BYTE peRed = 0;
    BYTE peGreen = 0;
    BYTE peBlue = 0;
    BYTE peFlags = 0;
};

struct LOGPALETTE {
    WORD palVersion = 0x300;
    WORD palNumEntries = 0;
    std::vector<PALETTEENTRY> palPalEntry;
};

class CPalette {
public:
    BOOL CreatePalette(const LOGPALETTE* pLogPalette);
    // Overwrites entries from nStart on; returns how many were set.
    UINT SetPaletteEntries(UINT nStart, UINT nCount, const PALETTEENTRY* pEntries);
    int GetEntryCount() const { return int(m_entries.size()); }
    bool HasEntry(int i) const { return i >= 0 && i < GetEntryCount(); }
    // The entry's colour as 0x00BBGGRR.
    COLORREF GetEntryColor(int i) const;
    bool IsCreated() const { return m_created; }

private:
    bool m_created = false;
    std::vector<PALETTEENTRY> m_entries;
};
