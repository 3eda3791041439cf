// The application's side of the desktop shell: the file type it registers,
// and the open and print requests that later starts of the program pass on.

#include "platform/docview/winapp.h"
#include "platform/framework/host.h"
#include "platform/framework/std_ids.h"

void CWinApp::EnableShellOpen() {
    if (Host* host = AfxTryGetHost())
        host->EnableShellOpen();
}

void CWinApp::RegisterShellFileTypes(BOOL) {
    Host* host = AfxTryGetHost();
    auto* tmpl = dynamic_cast<CMultiDocTemplate*>(GetFirstDocTemplate());
    if (host == nullptr || tmpl == nullptr)
        return;
    ShellFileType type;
    type.appName = m_pszAppName;
    tmpl->GetDocString(type.typeId, CMultiDocTemplate::regFileTypeId);
    tmpl->GetDocString(type.typeName, CMultiDocTemplate::regFileTypeName);
    tmpl->GetDocString(type.extension, CMultiDocTemplate::filterExt);
    // A template without a file type has nothing to register.
    if (type.typeId.empty() || type.extension.empty())
        return;
    if (auto* main = dynamic_cast<CMDIFrameWnd*>(m_pMainWnd))
        type.nAppIcon = main->GetMenuResource();
    type.nDocIcon = tmpl->GetResourceId();
    host->RegisterShellFileTypes(type);
}

std::vector<CDocument*> CWinApp::OpenShellFiles(const CCommandLineInfo& request) {
    std::vector<CDocument*> opened;
    for (const CString& path : request.m_files)
        if (CDocument* doc = OpenDocumentFile(path))
            opened.push_back(doc);
    return opened;
}

BOOL CWinApp::IsDocumentOpen(const CDocument* pDoc) const {
    for (const auto& t : m_templates)
        if (auto* multi = dynamic_cast<const CMultiDocTemplate*>(t.get()))
            for (const CDocument* doc : multi->GetDocuments())
                if (doc == pDoc)
                    return TRUE;
    return FALSE;
}

BOOL CWinApp::PrintShellDocument(CDocument* pDoc, const CCommandLineInfo& request) {
    if (pDoc == nullptr || !IsDocumentOpen(pDoc) || pDoc->GetViews().empty())
        return FALSE;
    CView* view = pDoc->GetViews().front();
    auto* frame = dynamic_cast<CMDIChildWnd*>(view->GetParent());
    if (frame == nullptr)
        return FALSE;
    frame->MDIActivate();
    auto* main = dynamic_cast<CMDIFrameWnd*>(m_pMainWnd);
    if (main == nullptr || main->MDIGetActive() != frame)
        return FALSE;
    // The view's print job reads the printer of a print-to request from here.
    m_pCmdInfo = &request;
    const BOOL done = ExecuteCommand(ID_FILE_PRINT_DIRECT);
    m_pCmdInfo = nullptr;
    return done;
}
