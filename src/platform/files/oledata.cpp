#include "platform/files/oledata.h"

#include "platform/framework/host.h"
#include "platform/framework/wnd.h"

long OleInitialize(void*) {
    return 0;
}

void COleDataSource::CacheData(UINT cfFormat, STGMEDIUM* pMedium, const void*) {
    if (cfFormat != CF_BITMAP || pMedium == nullptr || pMedium->hBitmap == nullptr)
        return;
    if (m_pBitmap != pMedium->hBitmap)
        delete m_pBitmap;
    m_pBitmap = pMedium->hBitmap;
}

void COleDataSource::SetClipboard() {
    // The clipboard owns this object from here on, whatever happens.
    struct Release {
        COleDataSource* self;
        ~Release() { delete self; }
    } release{this};
    if (m_pBitmap == nullptr || m_pBitmap->GetSurface() == nullptr)
        return;
    const Surface& picture = *m_pBitmap->GetSurface();
    const CWnd* owner = m_pBitmap->GetOwnerWindow();
    Surface rgb(picture.Width(), picture.Height());
    for (int y = 0; y < picture.Height(); ++y) {
        const COLORREF* in = picture.Row(y);
        COLORREF* out = rgb.Row(y);
        for (int x = 0; x < picture.Width(); ++x) {
            const COLORREF v = in[x];
            if (owner != nullptr)
                out[x] = owner->ResolveColor(v);
            else
                out[x] = IsPaletteIndexColor(v) ? kBlack : (v & 0x00FFFFFFu);
        }
    }
    AfxGetHost().SetClipboardImage(rgb);
}

COleDataSource::~COleDataSource() {
    delete m_pBitmap;
}
