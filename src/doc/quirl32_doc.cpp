// The set document: construction, its command table, New, the undo snapshot
// and the set file.

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

// The set file: four doubles and two 32-bit integers, 40 bytes, no header.
void CQuirl32Doc::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar << m_extents.xMin << m_extents.xMax << m_extents.yMin << m_extents.yMax;
        ar << m_nIterations << m_nRandomPoints;
        return;
    }
    // Read everything first: a file that ends early leaves the set untouched.
    SetExtents extents;
    std::int32_t iterations = 0;
    std::int32_t randomPoints = 0;
    ar >> extents.xMin >> extents.xMax >> extents.yMin >> extents.yMax;
    ar >> iterations >> randomPoints;
    m_extents = extents;
    m_nIterations = iterations;
    m_nRandomPoints = randomPoints;
    m_bPictureValid = 0;
}
