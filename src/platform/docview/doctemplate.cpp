#include "platform/docview/doctemplate.h"

#include "platform/docview/doc_strings.h"
#include "platform/docview/winapp.h"
#include "platform/framework/host.h"

#include <algorithm>
#include <string>

CMultiDocTemplate::CMultiDocTemplate(UINT nIDResource, std::function<CDocument*()> newDocument,
                                     std::function<CMDIChildWnd*()> newFrame,
                                     std::function<CView*()> newView)
    : m_nIDResource(nIDResource), m_newDocument(std::move(newDocument)),
      m_newFrame(std::move(newFrame)), m_newView(std::move(newView)) {}

CMultiDocTemplate::~CMultiDocTemplate() {
    CloseAllDocuments();
    // Documents without windows are still ours.
    while (!m_docList.empty())
        delete m_docList.back();
}

BOOL CMultiDocTemplate::GetDocString(CString& out, DocStringIndex index) const {
    const auto fields = AfxSplitDocString(m_nIDResource);
    if (std::size_t(index) >= fields.size()) {
        out.clear();
        return FALSE;
    }
    out = fields[std::size_t(index)];
    return !out.empty();
}

void CMultiDocTemplate::RemoveDocument(CDocument* pDoc) {
    m_docList.erase(std::remove(m_docList.begin(), m_docList.end(), pDoc), m_docList.end());
}

void CMultiDocTemplate::CloseAllDocuments() {
    // Each close removes its document from the list.
    std::size_t guard = m_docList.size() + 1;
    while (!m_docList.empty() && guard-- > 0) {
        CDocument* doc = m_docList.back();
        const std::vector<CView*> views = doc->GetViews();
        CMDIChildWnd* frame = nullptr;
        for (CView* view : views)
            if ((frame = dynamic_cast<CMDIChildWnd*>(view->GetParent())) != nullptr)
                break;
        if (frame != nullptr)
            frame->MDIDestroy();
        else
            delete doc;
    }
}

CDocument* CMultiDocTemplate::OpenDocumentFile(const CString& pathName) {
    Host& host = AfxGetHost();
    CWinApp* app = AfxGetApp();
    auto* main = app != nullptr ? dynamic_cast<CMDIFrameWnd*>(app->m_pMainWnd) : nullptr;

    CDocument* doc = m_newDocument();
    doc->SetDocTemplate(this);
    m_docList.push_back(doc);
    CMDIChildWnd* frame = m_newFrame();
    CView* view = m_newView();
    frame->SetParent(main);
    view->SetParent(frame);
    frame->SetView(view);
    doc->AddView(view);

    // Undoes everything above; the other documents are not touched.
    auto discard = [&]() -> CDocument* {
        frame->DestroyWindow();
        view->DestroyWindow();
        delete view;
        delete doc;
        delete frame;
        if (main != nullptr)
            main->OnActiveChildChanged();
        return nullptr;
    };

    CREATESTRUCT cs;
    CREATESTRUCT viewCs;
    if (!frame->PreCreateWindow(cs) || !view->PreCreateWindow(viewCs))
        return discard();
    if (!host.CreateChildFrame(frame, view, cs))
        return discard();
    frame->SetCreated(true);
    view->SetCreated(true);

    if (pathName.empty()) {
        CString name;
        GetDocString(name, docName);
        doc->SetTitle(name + std::to_string(m_nUntitledCount + 1));
        if (!doc->OnNewDocument())
            return discard();
        ++m_nUntitledCount;
    } else {
        if (!doc->OnOpenDocument(pathName))
            return discard();
        doc->SetPathName(pathName);
    }

    view->OnInitialUpdate();
    frame->MDIActivate();
    return doc;
}
