// The view's picture: initial update, document updates, painting, the
// off-screen picture and size changes.

#include "app/quirl32_app.h"
#include "view/quirl32_view.h"

void CQuirl32View::OnInitialUpdate() {
    m_pWindowDC = GetDC();
    m_pDoc = dynamic_cast<CQuirl32Doc*>(m_pDocument);
    BuildPaletteColors(TheApp().m_paletteScheme);
    UpdateLogicalPalette();
    CreateOffscreenPicture(m_pWindowDC);
    ReleaseDC(m_pWindowDC);
    m_pWindowDC = nullptr;
    GetClientRect(&m_rcClient);
    // Fit here already, so that no step runs with unfitted scales, also when
    // the window gets no paint before the first idle call.
    FitToClient();
    _ftime(&m_tStart);
    m_tFinish = m_tStart;
}

void CQuirl32View::OnUpdate(CView*, LPARAM, CObject*) {
    if (m_pDoc == nullptr)
        m_pDoc = dynamic_cast<CQuirl32Doc*>(m_pDocument);
    BuildPaletteColors(TheApp().m_paletteScheme);
    UpdateLogicalPalette();
    RestartComputation();
    m_bWorking = 1;
}

void CQuirl32View::OnDraw(CDC* pDC) {
    m_pDoc = dynamic_cast<CQuirl32Doc*>(m_pDocument);
    if (m_pDoc == nullptr)
        return;
    if (m_pDoc->m_bPictureValid == 0) {
        FitToClient();
        return;
    }
    GetClientRect(&m_rcClient);
    if (m_pPalette != nullptr) {
        pDC->SelectPalette(m_pPalette, FALSE);
        pDC->RealizePalette();
    }
    pDC->BitBlt(0, 0, m_rcClient.right - m_rcClient.left, m_rcClient.bottom - m_rcClient.top,
                m_pMemDC, 0, 0, SRCCOPY);
}

void CQuirl32View::CreateOffscreenPicture(CDC* pDC) {
    GetClientRect(&m_rcClient);
    const int w = m_rcClient.right - m_rcClient.left;
    const int h = m_rcClient.bottom - m_rcClient.top;
    if (m_pMemDC == nullptr) {
        m_pMemDC = new CDC;
        m_pMemDC->CreateCompatibleDC(pDC);
        // Exports resolve the picture's palette indices through this view.
        m_pMemDC->SetOwnerWindow(this);
    }
    if (m_pBitmap == nullptr) {
        m_pBitmap = new CBitmap;
        m_pBitmap->CreateCompatibleBitmap(pDC, w, h);
    }
    m_pMemDC->SelectObject(m_pBitmap);
    m_pMemDC->SelectStockObject(WHITE_BRUSH);
    m_pMemDC->SelectStockObject(WHITE_PEN);
    m_pMemDC->Rectangle(&m_rcClient);
    if (m_pPalette != nullptr) {
        m_pMemDC->SelectPalette(m_pPalette, FALSE);
        m_pMemDC->RealizePalette();
    }
    if (m_pDoc != nullptr)
        m_pDoc->m_bPictureValid = 0;
}

void CQuirl32View::OnSize(UINT, int, int) {
    if (m_pDoc == nullptr)
        return;
    m_pDoc->ClearUndo();
    CDC* pDC = GetDC();
    FitToClient();
    delete m_pMemDC;
    m_pMemDC = nullptr;
    delete m_pBitmap;
    m_pBitmap = nullptr;
    CreateOffscreenPicture(pDC);
    ReleaseDC(pDC);
    RestartComputation();
    m_bWorking = 1;
}

BOOL CQuirl32View::OnPreparePrinting(CPrintInfo* pInfo) {
    return DoPreparePrinting(pInfo);
}

void CQuirl32View::OnBeginPrinting(CDC*, CPrintInfo*) {}

void CQuirl32View::OnEndPrinting(CDC*, CPrintInfo*) {}
