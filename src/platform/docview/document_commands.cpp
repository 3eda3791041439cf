#include "platform/docview/doc_strings.h"
#include "platform/docview/doctemplate.h"
#include "platform/framework/host.h"
#include "platform/framework/msgbox.h"

BOOL CDocument::DoSave(const CString& pathName, BOOL bReplace) {
    CString path = pathName;
    if (path.empty()) {
        const UINT id = m_pDocTemplate != nullptr ? m_pDocTemplate->GetResourceId() : 0;
        const CString ext = AfxDefaultExtension(id);
        // Offer the current file, or the title with the file type's extension.
        path = !m_strPathName.empty() ? m_strPathName : AfxAppendDefaultExtension(m_strTitle, ext);
        if (!AfxGetHost().PromptFileName(path, FALSE, AfxFileDialogFilter(id), ext))
            return FALSE;
        path = AfxAppendDefaultExtension(path, ext);
    }
    if (!OnSaveDocument(path))
        return FALSE;
    if (bReplace)
        SetPathName(path);
    return TRUE;
}

void CDocument::OnFileSave() {
    DoSave(m_strPathName);
}

void CDocument::OnFileSaveAs() {
    DoSave(CString());
}

void CDocument::OnFileClose() {
    if (IsModified()) {
        CString prompt = "Save changes to " + (m_strPathName.empty() ? m_strTitle : m_strPathName);
        prompt += "?";
        const int answer = AfxMessageBox(prompt, MB_YESNOCANCEL | MB_ICONEXCLAMATION);
        if (answer == IDCANCEL)
            return;
        if (answer == IDYES && !DoSave(m_strPathName))
            return;
    }
    // Closing the last window deletes this document: touch no member after it.
    const std::vector<CView*> views = m_viewList;
    for (CView* view : views)
        if (auto* frame = dynamic_cast<CMDIChildWnd*>(view->GetParent()))
            frame->MDIDestroy();
}
