// The set document: construction, its command table, New and the undo snapshot.

#include "doc/quirl32_doc.h"

#include "commands/resource_ids.h"

CQuirl32Doc::CQuirl32Doc() {
    OnCommand(ID_SET_SPECIFY, [this] { OnSetSpecify(); });
    OnCommand(ID_SET_UNZOOM, [this] { OnSetUnzoom(); });
    OnCommand(ID_EDIT_UNDO, [this] { OnEditUndo(); });
    OnUpdateCommandUI(ID_EDIT_UNDO, [this](CCmdUI* pCmdUI) { OnUpdateEditUndo(pCmdUI); });
}

void CQuirl32Doc::SetNewDefaults() {
    m_extents = SetExtents{-2.1, 1.5, -1.2, 1.2};
    m_undoExtents = SetExtents{};
    m_nIterations = 50;
    m_nRandomPoints = 10;
    m_bPictureValid = 0;
}

BOOL CQuirl32Doc::OnNewDocument() {
    if (!CDocument::OnNewDocument())
        return FALSE;
    SetNewDefaults();
    return TRUE;
}

BOOL CQuirl32Doc::OnOpenDocument(const CString& pathName) {
    SetNewDefaults();
    return CDocument::OnOpenDocument(pathName);
}

void CQuirl32Doc::SaveUndo() {
    m_undoExtents = m_extents;
}

void CQuirl32Doc::ClearUndo() {
    m_undoExtents = SetExtents{};
}

bool CQuirl32Doc::CanUndo() const {
    const SetExtents& u = m_undoExtents;
    return u.xMin != 0.0 || u.xMax != 0.0 || u.yMin != 0.0 || u.yMax != 0.0;
}
