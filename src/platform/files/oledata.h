#pragma once
// The clipboard through a data source: a bitmap handed to the clipboard
// belongs to it from then on.

#include "platform/drawing/gdi_objects.h"

constexpr UINT CF_BITMAP = 2;
constexpr DWORD TYMED_GDI = 16;

struct STGMEDIUM {
    DWORD tymed = 0;
    CBitmap* hBitmap = nullptr;
    void* pUnkForRelease = nullptr;
};

long OleInitialize(void* reserved);

class COleDataSource {
public:
    // Takes ownership of the medium's bitmap.
    void CacheData(UINT cfFormat, STGMEDIUM* pMedium, const void* pFormatEtc = nullptr);
    // Puts the cached data on the clipboard; the data source then belongs to
    // the clipboard and is deleted by it.
    void SetClipboard();
    ~COleDataSource();

private:
    CBitmap* m_pBitmap = nullptr;
};
