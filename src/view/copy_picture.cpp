// Edit > Copy: the off-screen picture, at client size, onto the clipboard.

#include "platform/files/oledata.h"
#include "view/quirl32_view.h"

#include <memory>

void CQuirl32View::OnEditCopy() {
    auto pSource = std::make_unique<COleDataSource>();
    CClientDC dc(this);
    CDC memDC;
    memDC.CreateCompatibleDC(&dc);
    RECT rc;
    GetClientRect(&rc);
    const int w = rc.right - rc.left;
    const int h = rc.bottom - rc.top;
    auto pBitmap = std::make_unique<CBitmap>();
    pBitmap->CreateCompatibleBitmap(&dc, w, h);
    memDC.SelectObject(pBitmap.get());
    memDC.BitBlt(0, 0, w, h, m_pMemDC, 0, 0, SRCCOPY);
    memDC.SelectObject(nullptr);

    STGMEDIUM medium;
    medium.tymed = TYMED_GDI;
    medium.hBitmap = pBitmap.release();
    medium.pUnkForRelease = nullptr;
    pSource->CacheData(CF_BITMAP, &medium);
    // From here on the data source and its bitmap belong to the clipboard.
    pSource.release()->SetClipboard();
}
