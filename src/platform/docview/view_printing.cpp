#include "platform/docview/view.h"
#include "platform/docview/winapp.h"
#include "platform/framework/host.h"

BOOL CView::OnPreparePrinting(CPrintInfo* pInfo) {
    return DoPreparePrinting(pInfo);
}

void CView::OnBeginPrinting(CDC*, CPrintInfo*) {}

void CView::OnEndPrinting(CDC*, CPrintInfo*) {}

BOOL CView::DoPreparePrinting(CPrintInfo* pInfo) {
    if (pInfo == nullptr)
        return FALSE;
    // A print-to request from the shell names the printer.
    if (CWinApp* app = AfxGetApp();
        app != nullptr && app->m_pCmdInfo != nullptr &&
        app->m_pCmdInfo->m_nShellCommand == CCommandLineInfo::FilePrintTo)
        pInfo->m_strPrinterName = app->m_pCmdInfo->m_strPrinterName;
    // Direct prints and previews go to the default printer without asking.
    if (pInfo->m_bDirect || pInfo->m_bPreview)
        return TRUE;
    return AfxGetHost().PrintDialog(*pInfo);
}

BOOL CView::PrintJob(CPrintInfo& info) {
    if (!OnPreparePrinting(&info))
        return FALSE;
    return AfxGetHost().RunPrintJob(this, info);
}

void CView::OnFilePrint() {
    CPrintInfo info;
    PrintJob(info);
}

void CView::OnFilePrintDirect() {
    CPrintInfo info;
    info.m_bDirect = TRUE;
    PrintJob(info);
}

void CView::OnFilePrintPreview() {
    CPrintInfo info;
    info.m_bPreview = TRUE;
    PrintJob(info);
}
