#pragma once
// The set document: a rectangle of the plane, its one-level undo snapshot,
// the iteration limit, the random-point count and the picture-valid flag.

#include "platform/docview/document.h"

#include <cstdint>

// A rectangle of the complex plane: real range xMin ... xMax, imaginary
// range yMin (top row of the picture) ... yMax.
struct SetExtents {
    double xMin = 0.0;
    double xMax = 0.0;
    double yMin = 0.0;
    double yMax = 0.0;
};

class CQuirl32Doc : public CDocument {
public:
    CQuirl32Doc();

    BOOL OnNewDocument() override;
    // Gives the set the New defaults before the framework opens the file, so
    // that a zero-length file, which is not loaded, opens as a new set.
    BOOL OnOpenDocument(const CString& pathName) override;
    void Serialize(CArchive& ar) override;

    void SaveUndo();
    void ClearUndo();

    // Commands of the document's table.
    void OnSetSpecify();
    void OnSetUnzoom();
    void OnEditUndo();
    void OnUpdateEditUndo(CCmdUI* pCmdUI);

    // True when the snapshot holds something to go back to.
    bool CanUndo() const;

    SetExtents m_extents;
    SetExtents m_undoExtents;
    std::int32_t m_nIterations = 0;
    std::int32_t m_nRandomPoints = 0;
    std::int32_t m_bPictureValid = 0;

private:
    void SetNewDefaults();
};
