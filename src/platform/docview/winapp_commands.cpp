#include "platform/docview/doc_strings.h"
#include "platform/docview/winapp.h"
#include "platform/framework/host.h"
#include "platform/framework/std_ids.h"

#include <algorithm>
#include <filesystem>

namespace {

CString AbsolutePath(const CString& path) {
    if (path.empty() || path.front() == '/')
        return path;
    std::error_code error;
    const auto absolute = std::filesystem::absolute(std::filesystem::path(path), error);
    return error ? path : absolute.lexically_normal().string();
}

} // namespace

void CWinApp::OnFileNew() {
    if (CDocTemplate* t = GetFirstDocTemplate())
        t->OpenDocumentFile(CString());
}

void CWinApp::OnFileOpen() {
    CDocTemplate* t = GetFirstDocTemplate();
    const UINT id = t != nullptr ? t->GetResourceId() : 0;
    CString path;
    if (!AfxGetHost().PromptFileName(path, TRUE, AfxFileDialogFilter(id), AfxDefaultExtension(id)))
        return;
    OpenDocumentFile(path);
}

CDocument* CWinApp::OpenDocumentFile(const CString& pathName) {
    CDocTemplate* t = GetFirstDocTemplate();
    if (t == nullptr || pathName.empty())
        return nullptr;
    // A file that is open already is brought to the front instead.
    const CString full = AbsolutePath(pathName);
    if (auto* multi = dynamic_cast<CMultiDocTemplate*>(t)) {
        for (CDocument* doc : multi->GetDocuments()) {
            if (doc->GetPathName() != full)
                continue;
            for (CView* view : doc->GetViews())
                if (auto* frame = dynamic_cast<CMDIChildWnd*>(view->GetParent())) {
                    frame->MDIActivate();
                    break;
                }
            return doc;
        }
    }
    return t->OpenDocumentFile(pathName);
}

BOOL CWinApp::OnOpenRecentFile(UINT nID) {
    const UINT i = nID - ID_FILE_MRU_FILE1;
    if (nID < ID_FILE_MRU_FILE1 || i >= m_recentFiles.size())
        return FALSE;
    const CString path = m_recentFiles[i];
    if (OpenDocumentFile(path) == nullptr) {
        // A file that cannot be opened any more leaves the list.
        auto it = std::find(m_recentFiles.begin(), m_recentFiles.end(), path);
        if (it != m_recentFiles.end()) {
            m_recentFiles.erase(it);
            SaveStdProfileSettings();
            if (Host* host = AfxTryGetHost())
                host->RecentFilesChanged();
        }
    }
    return TRUE;
}

void CWinApp::OnFilePrintSetup() {
    AfxGetHost().PrintSetupDialog();
}

void CWinApp::OnAppExit() {
    CloseAllDocuments();
    AfxGetHost().Quit(0);
}
