#pragma once
// The document template: makes a document, its child frame and its view
// together, for File New and for opening a file.

#include "platform/docview/document.h"
#include "platform/framework/frame.h"

#include <functional>
#include <vector>

class CDocTemplate : public CCmdTarget {
public:
    virtual CDocument* OpenDocumentFile(const CString& pathName) = 0;
    virtual UINT GetResourceId() const = 0;
    // Closes every document of the template with its windows, without asking.
    virtual void CloseAllDocuments() {}
};

class CMultiDocTemplate : public CDocTemplate {
public:
    CMultiDocTemplate(UINT nIDResource, std::function<CDocument*()> newDocument,
                      std::function<CMDIChildWnd*()> newFrame, std::function<CView*()> newView);
    template <class TDoc, class TFrame, class TView>
    static CMultiDocTemplate* Make(UINT nIDResource) {
        return new CMultiDocTemplate(
            nIDResource, [] { return new TDoc; }, [] { return new TFrame; },
            [] { return new TView; });
    }
    ~CMultiDocTemplate() override;

    // Empty path: a new untitled document ("<name><n>", n from 1). Otherwise the
    // file is opened; on failure the new document and its window are discarded
    // and nullptr is returned.
    CDocument* OpenDocumentFile(const CString& pathName) override;
    UINT GetResourceId() const override { return m_nIDResource; }
    void CloseAllDocuments() override;

    // The fields of the document string: window title, document name, File-New
    // name, filter name, filter extension, file type id, file type name.
    enum DocStringIndex {
        windowTitle,
        docName,
        fileNewName,
        filterName,
        filterExt,
        regFileTypeId,
        regFileTypeName
    };
    BOOL GetDocString(CString& out, DocStringIndex index) const;

    // Called by a closing child frame.
    void RemoveDocument(CDocument* pDoc);
    const std::vector<CDocument*>& GetDocuments() const { return m_docList; }

private:
    UINT m_nIDResource;
    std::function<CDocument*()> m_newDocument;
    std::function<CMDIChildWnd*()> m_newFrame;
    std::function<CView*()> m_newView;
    std::vector<CDocument*> m_docList;
    int m_nUntitledCount = 0;
};
