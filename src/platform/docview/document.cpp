#include "platform/docview/document.h"

#include "platform/docview/doc_strings.h"
#include "platform/docview/doctemplate.h"
#include "platform/docview/view.h"
#include "platform/docview/winapp.h"
#include "platform/framework/frame.h"
#include "platform/framework/std_ids.h"

#include <algorithm>
#include <filesystem>

CDocument::CDocument() {
    OnCommand(ID_FILE_CLOSE, [this] { OnFileClose(); });
    OnCommand(ID_FILE_SAVE, [this] { OnFileSave(); });
    OnCommand(ID_FILE_SAVE_AS, [this] { OnFileSaveAs(); });
}

CDocument::~CDocument() {
    for (CView* view : m_viewList)
        view->m_pDocument = nullptr;
    m_viewList.clear();
    if (auto* t = dynamic_cast<CMultiDocTemplate*>(m_pDocTemplate))
        t->RemoveDocument(this);
}

BOOL CDocument::OnNewDocument() {
    DeleteContents();
    m_strPathName.clear();
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::Serialize(CArchive&) {}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint) {
    // An update may close views: walk a copy and skip the ones gone meanwhile.
    const std::vector<CView*> views = m_viewList;
    for (CView* view : views) {
        if (view == pSender)
            continue;
        if (std::find(m_viewList.begin(), m_viewList.end(), view) == m_viewList.end())
            continue;
        view->OnUpdate(pSender, lHint, pHint);
    }
}

void CDocument::AddView(CView* pView) {
    if (pView == nullptr)
        return;
    if (std::find(m_viewList.begin(), m_viewList.end(), pView) != m_viewList.end())
        return;
    if (pView->m_pDocument != nullptr && pView->m_pDocument != this)
        pView->m_pDocument->RemoveView(pView);
    m_viewList.push_back(pView);
    pView->m_pDocument = this;
}

void CDocument::RemoveView(CView* pView) {
    auto it = std::find(m_viewList.begin(), m_viewList.end(), pView);
    if (it == m_viewList.end())
        return;
    m_viewList.erase(it);
    pView->m_pDocument = nullptr;
}

void CDocument::SetTitle(const CString& title) {
    m_strTitle = title;
    // The set windows show the document's title, the main window the active one's.
    for (CView* view : m_viewList)
        if (auto* frame = dynamic_cast<CFrameWnd*>(view->GetParent()))
            frame->SetWindowText(title);
    if (CWinApp* app = AfxGetApp())
        if (auto* main = dynamic_cast<CFrameWnd*>(app->m_pMainWnd))
            main->OnUpdateFrameTitle();
}

void CDocument::SetPathName(const CString& pathName, BOOL bAddToMRU) {
    CString full = pathName;
    if (!full.empty() && full.front() != '/') {
        std::error_code error;
        const auto absolute = std::filesystem::absolute(std::filesystem::path(full), error);
        if (!error)
            full = absolute.lexically_normal().string();
    }
    m_strPathName = full;
    SetTitle(AfxFileNameOf(full));
    if (bAddToMRU)
        if (CWinApp* app = AfxGetApp())
            app->AddToRecentFileList(full);
}
