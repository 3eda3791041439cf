#pragma once
// Views: the window that shows a document. The framework's printing commands
// live here; the derived view binds them in its command table.

#include "platform/docview/printinfo.h"
#include "platform/framework/wnd.h"

class CDocument;

struct CREATESTRUCT {
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    CString name;
};

class CView : public CWnd {
public:
    CView();
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }

    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    // Default: OnUpdate(nullptr, 0, nullptr).
    virtual void OnInitialUpdate();
    // Default: invalidate the window.
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    virtual void OnDraw(CDC* pDC) = 0;

    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo) {
        (void)pInfo;
        OnDraw(pDC);
    }
    // The print dialog (skipped for direct prints); FALSE when cancelled.
    BOOL DoPreparePrinting(CPrintInfo* pInfo);

    // The framework's handlers of ID_FILE_PRINT, ID_FILE_PRINT_DIRECT and
    // ID_FILE_PRINT_PREVIEW.
    void OnFilePrint();
    void OnFilePrintDirect();
    void OnFilePrintPreview();
    // Runs a print job on the backend: prepare, begin, print each page, end.
    BOOL PrintJob(CPrintInfo& info);

    // Painting: the backend calls this when the window needs paint; it draws
    // through OnDraw into the window surface.
    void OnPaint();

    CDocument* m_pDocument = nullptr;
};
