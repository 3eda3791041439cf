#include "platform/framework/msgbox.h"

#include "platform/docview/winapp.h"
#include "platform/framework/host.h"

#include <cstdio>

int AfxMessageBox(const CString& text, UINT nType) {
    const CWinApp* app = AfxGetApp();
    const CString caption = app != nullptr ? app->m_pszAppName : CString("Quirl32");
    Host* host = AfxTryGetHost();
    if (host == nullptr) {
        // Nowhere to show it: say it on the error stream rather than lose it.
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
        return (nType & MB_TYPEMASK) == MB_OK ? IDOK : IDCANCEL;
    }
    return host->MessageBox(text, caption, nType);
}
