#pragma once
// Documents: the data of one window, with the framework's file handling.
// Opening reads the whole file and hands it to Serialize through an archive;
// saving writes a temporary file beside the target and renames it over the
// target only when every byte is written, so a failed save loses nothing.

#include "platform/files/archive.h"
#include "platform/framework/cmdtarget.h"

#include <vector>

class CView;
class CDocTemplate;

class CDocument : public CCmdTarget {
public:
    CDocument();
    ~CDocument() override;

    virtual BOOL OnNewDocument();
    // Framework file handling; failures are reported in a message box with the
    // framework's message and FALSE is returned.
    virtual BOOL OnOpenDocument(const CString& pathName);
    virtual BOOL OnSaveDocument(const CString& pathName);
    virtual void Serialize(CArchive& ar);
    virtual void DeleteContents() {}

    // Each view's OnUpdate runs at once, except the sender's.
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0, CObject* pHint = nullptr);
    void AddView(CView* pView);
    void RemoveView(CView* pView);
    const std::vector<CView*>& GetViews() const { return m_viewList; }

    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(const CString& title);
    const CString& GetPathName() const { return m_strPathName; }
    virtual void SetPathName(const CString& pathName, BOOL bAddToMRU = TRUE);

    BOOL IsModified() const { return m_bModified; }
    void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
    void SetDocTemplate(CDocTemplate* t) { m_pDocTemplate = t; }

    // Framework command handlers, in the document's command table.
    void OnFileClose();
    void OnFileSave();
    void OnFileSaveAs();
    // Save under pathName, or ask for a name when it is empty.
    BOOL DoSave(const CString& pathName, BOOL bReplace = TRUE);

private:
    CString m_strTitle;
    CString m_strPathName;
    BOOL m_bModified = FALSE;
    CDocTemplate* m_pDocTemplate = nullptr;
    std::vector<CView*> m_viewList;
};
