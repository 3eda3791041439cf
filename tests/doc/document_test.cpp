// The set document: New, Unzoom, Undo and the undo snapshot's states.

#include "doc_harness.h"

#include <cmath>
#include <limits>

namespace {

using DocumentTest = DocHarness;

TEST(Quirl32Doc, ConstructionGivesZeroValuesAndTheCommandTable) {
    CQuirl32Doc doc;
    EXPECT_TRUE(SameExtents(doc.m_extents, SetExtents{}));
    EXPECT_TRUE(SameExtents(doc.m_undoExtents, SetExtents{}));
    EXPECT_EQ(doc.m_nIterations, 0);
    EXPECT_EQ(doc.m_nRandomPoints, 0);
    EXPECT_EQ(doc.m_bPictureValid, 0);
    for (UINT id : {ID_SET_SPECIFY, ID_SET_UNZOOM, ID_EDIT_UNDO})
        EXPECT_TRUE(doc.HasCommand(id)) << id;
}

TEST_F(DocumentTest, NewHoldsTheDefaultsAndNothingToUndo) {
    CQuirl32Doc& doc = NewDoc();
    EXPECT_TRUE(SameExtents(doc.m_extents, kDefaultExtents));
    EXPECT_TRUE(SameExtents(doc.m_undoExtents, SetExtents{}));
    EXPECT_EQ(doc.m_nIterations, 50);
    EXPECT_EQ(doc.m_nRandomPoints, 10);
    EXPECT_EQ(doc.m_bPictureValid, 0);
    EXPECT_FALSE(UndoEnabled());
    EXPECT_TRUE(m_host.QueryCommand(ID_SET_SPECIFY).enabled);
    EXPECT_TRUE(m_host.QueryCommand(ID_SET_UNZOOM).enabled);
}

TEST_F(DocumentTest, UnzoomDoublesAboutTheCentreAndUndoGoesBack) {
    CQuirl32Doc& doc = NewDoc();
    CountingView& view = ViewOf(doc);
    doc.m_bPictureValid = 1;
    const int updates = view.m_nUpdates;

    ASSERT_TRUE(m_host.SendCommand(ID_SET_UNZOOM));
    EXPECT_DOUBLE_EQ(doc.m_extents.xMin, -3.9);
    EXPECT_DOUBLE_EQ(doc.m_extents.xMax, 3.3);
    EXPECT_DOUBLE_EQ(doc.m_extents.yMin, -2.4);
    EXPECT_DOUBLE_EQ(doc.m_extents.yMax, 2.4);
    EXPECT_TRUE(SameExtents(doc.m_undoExtents, kDefaultExtents));
    EXPECT_EQ(doc.m_bPictureValid, 0);
    EXPECT_EQ(view.m_nUpdates, updates + 1);
    EXPECT_TRUE(UndoEnabled());

    doc.m_bPictureValid = 1;
    ASSERT_TRUE(m_host.SendCommand(ID_EDIT_UNDO));
    EXPECT_TRUE(SameExtents(doc.m_extents, kDefaultExtents));
    EXPECT_TRUE(SameExtents(doc.m_undoExtents, SetExtents{}));
    EXPECT_EQ(doc.m_bPictureValid, 0);
    EXPECT_EQ(view.m_nUpdates, updates + 2);
    EXPECT_FALSE(UndoEnabled());
}

TEST_F(DocumentTest, UndoHasOneLevel) {
    CQuirl32Doc& doc = NewDoc();
    m_host.SendCommand(ID_SET_UNZOOM);
    const SetExtents afterFirst = doc.m_extents;
    m_host.SendCommand(ID_SET_UNZOOM);
    m_host.SendCommand(ID_EDIT_UNDO);
    EXPECT_TRUE(SameExtents(doc.m_extents, afterFirst));
    EXPECT_FALSE(UndoEnabled());

    // A disabled Undo never runs, not even when issued as a command.
    const int updates = ViewOf(doc).m_nUpdates;
    EXPECT_FALSE(m_host.SendCommand(ID_EDIT_UNDO));
    EXPECT_TRUE(SameExtents(doc.m_extents, afterFirst));
    EXPECT_EQ(ViewOf(doc).m_nUpdates, updates);
}

TEST_F(DocumentTest, UndoRestoresTheRectangleOnly) {
    CQuirl32Doc& doc = NewDoc();
    m_host.SendCommand(ID_SET_UNZOOM);
    doc.m_nIterations = 200;
    doc.m_nRandomPoints = 3;
    m_host.SendCommand(ID_EDIT_UNDO);
    EXPECT_EQ(doc.m_nIterations, 200);
    EXPECT_EQ(doc.m_nRandomPoints, 3);
}

TEST_F(DocumentTest, ReversedRangesStayReversedAndDouble) {
    CQuirl32Doc& doc = NewDoc();
    doc.m_extents = SetExtents{1.0, -1.0, 2.0, 0.0};
    m_host.SendCommand(ID_SET_UNZOOM);
    EXPECT_TRUE(SameExtents(doc.m_extents, SetExtents{2.0, -2.0, 3.0, -1.0}));
}

TEST_F(DocumentTest, AnAllZeroRectangleLeavesNothingToUndo) {
    CQuirl32Doc& doc = NewDoc();
    doc.m_extents = SetExtents{};
    m_host.SendCommand(ID_SET_UNZOOM);
    EXPECT_TRUE(SameExtents(doc.m_extents, SetExtents{}));
    EXPECT_FALSE(UndoEnabled());

    m_host.PushDialogResponder([](CDialog& dlg) {
        dlg.SetDlgItemText(IDC_REAL_TO, "1");
        return IDOK;
    });
    m_host.SendCommand(ID_SET_SPECIFY);
    EXPECT_EQ(doc.m_extents.xMax, 1.0);
    EXPECT_FALSE(UndoEnabled());
}

TEST_F(DocumentTest, UndoIsAvailableWhileAnySnapshotValueIsNotZero) {
    CQuirl32Doc& doc = NewDoc();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        SetExtents snapshot;
        bool enabled;
    } cases[] = {
        {{0.0, 0.0, 0.0, 0.0}, false},   {{-0.0, 0.0, -0.0, 0.0}, false},
        {{0.0, 0.0, 0.0, 1e-300}, true}, {{0.0, 5e-324, 0.0, 0.0}, true},
        {{nan, 0.0, 0.0, 0.0}, true},    {{-2.1, 1.5, -1.2, 1.2}, true},
    };
    for (const Case& c : cases) {
        doc.m_undoExtents = c.snapshot;
        EXPECT_EQ(UndoEnabled(), c.enabled) << c.snapshot.xMin << " " << c.snapshot.yMax;
    }
}

TEST_F(DocumentTest, UnzoomStopsAtTheEdgeOfTheDoubleRange) {
    CQuirl32Doc& doc = NewDoc();
    const double big = std::numeric_limits<double>::max() * 0.75;
    const SetExtents edge{-big, big, -1.0, 1.0};
    doc.m_extents = edge;
    doc.ClearUndo();
    const int updates = ViewOf(doc).m_nUpdates;
    m_host.SendCommand(ID_SET_UNZOOM);
    EXPECT_TRUE(SameExtents(doc.m_extents, edge));
    EXPECT_EQ(ViewOf(doc).m_nUpdates, updates);
    EXPECT_FALSE(UndoEnabled());

    // Bounds that are not finite already are doubled as they are.
    const double inf = std::numeric_limits<double>::infinity();
    doc.m_extents = SetExtents{-inf, 1.0, -1.0, 1.0};
    m_host.SendCommand(ID_SET_UNZOOM);
    EXPECT_EQ(doc.m_extents.xMax, inf);
    EXPECT_TRUE(UndoEnabled());
}

TEST_F(DocumentTest, ChangesNeverMarkTheSetModified) {
    CQuirl32Doc& doc = NewDoc();
    m_host.SendCommand(ID_SET_UNZOOM);
    m_host.PushDialogResponder([](CDialog&) { return IDOK; });
    m_host.SendCommand(ID_SET_SPECIFY);
    m_host.SendCommand(ID_EDIT_UNDO);
    EXPECT_FALSE(doc.IsModified());

    // So closing the window asks nothing.
    ASSERT_TRUE(m_host.SendCommand(ID_FILE_CLOSE));
    EXPECT_TRUE(m_host.MessageBoxes().empty());
    EXPECT_TRUE(m_template->GetDocuments().empty());
}

} // namespace
