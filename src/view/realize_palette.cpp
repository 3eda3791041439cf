// The answer to the main frame's palette message: the active view realizes
// its palette in the foreground, every other view in the background.

#include "platform/docview/winapp.h"
#include "view/quirl32_view.h"

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
