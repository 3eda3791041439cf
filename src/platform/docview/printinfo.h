#pragma once
// What a print job knows: whether to show the print dialog, whether it is a
// preview, the page range.

#include "platform/framework/types.h"

class CPrintInfo {
public:
    BOOL m_bDirect = FALSE;  // print without the print dialog
    BOOL m_bPreview = FALSE; // print preview
    UINT m_nCurPage = 1;
    UINT GetMinPage() const { return m_nMinPage; }
    UINT GetMaxPage() const { return m_nMaxPage; }
    CString m_strPrinterName; // a named printer for print-to requests
    CString m_strOutputFile;  // print into this PDF file instead of a printer

private:
    UINT m_nMinPage = 1;
    UINT m_nMaxPage = 1;
};
