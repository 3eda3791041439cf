// The set file: its 40 bytes, and opening and saving through the framework.

#include "doc_harness.h"
#include "support/temp_folder.h"

#include <limits>

namespace {

// The New defaults as a set file.
const Bytes kDefaultFile = {
    0xcd, 0xcc, 0xcc, 0xcc, 0xcc, 0xcc, 0x00, 0xc0, // xMin -2.1
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xf8, 0x3f, // xMax 1.5
    0x33, 0x33, 0x33, 0x33, 0x33, 0x33, 0xf3, 0xbf, // yMin -1.2
    0x33, 0x33, 0x33, 0x33, 0x33, 0x33, 0xf3, 0x3f, // yMax 1.2
    0x32, 0x00, 0x00, 0x00,                         // 50 iterations
    0x0a, 0x00, 0x00, 0x00,                         // 10 random points
};

Bytes Store(CQuirl32Doc& doc) {
    Bytes bytes;
    CArchive ar(bytes, CArchive::store);
    doc.Serialize(ar);
    return bytes;
}

void Load(CQuirl32Doc& doc, Bytes bytes) {
    CArchive ar(bytes, CArchive::load);
    doc.Serialize(ar);
}

TEST(SetFile, NewDefaultsGiveTheKnownBytes) {
    CQuirl32Doc doc;
    doc.m_extents = kDefaultExtents;
    doc.m_nIterations = 50;
    doc.m_nRandomPoints = 10;
    EXPECT_EQ(Store(doc), kDefaultFile);
}

TEST(SetFile, EveryValueComesBackBitForBit) {
    const double inf = std::numeric_limits<double>::infinity();
    const SetExtents odd[] = {
        {std::bit_cast<double>(0x7ff0000000000001ull), std::bit_cast<double>(0xfff8000000000123ull),
         std::bit_cast<double>(0x7fffffffffffffffull), -0.0},
        {inf, -inf, std::numeric_limits<double>::denorm_min(), -std::numeric_limits<double>::max()},
        {-0.74364388703715101, -0.74364388703714999, 0.13182590420531197, 0.13182590420531299},
    };
    const std::int32_t counts[][2] = {{0, -1}, {-2147483647 - 1, 2147483647}, {255, 10}};
    for (std::size_t i = 0; i < std::size(odd); ++i) {
        CQuirl32Doc out;
        out.m_extents = odd[i];
        out.m_nIterations = counts[i][0];
        out.m_nRandomPoints = counts[i][1];
        const Bytes bytes = Store(out);
        ASSERT_EQ(bytes.size(), 40u);

        CQuirl32Doc in;
        in.m_bPictureValid = 1;
        Load(in, bytes);
        EXPECT_TRUE(SameExtents(in.m_extents, odd[i])) << i;
        EXPECT_EQ(in.m_nIterations, counts[i][0]);
        EXPECT_EQ(in.m_nRandomPoints, counts[i][1]);
        EXPECT_EQ(in.m_bPictureValid, 0);
        EXPECT_EQ(Store(in), bytes);
    }
}

TEST(SetFile, LoadLeavesTheSnapshotAlone) {
    CQuirl32Doc doc;
    const SetExtents snapshot{1, 2, 3, 4};
    doc.m_undoExtents = snapshot;
    Load(doc, kDefaultFile);
    EXPECT_TRUE(SameExtents(doc.m_undoExtents, snapshot));
}

TEST(SetFile, AShortFileChangesNothing) {
    CQuirl32Doc doc;
    doc.m_extents = SetExtents{1, 2, 3, 4};
    doc.m_nIterations = 7;
    doc.m_bPictureValid = 1;
    try {
        Load(doc, Bytes(kDefaultFile.begin(), kDefaultFile.end() - 1));
        FAIL() << "a 39-byte file loaded";
    } catch (const CArchiveException& e) {
        EXPECT_EQ(e.m_cause, CArchiveException::endOfFile);
    }
    EXPECT_TRUE(SameExtents(doc.m_extents, SetExtents{1, 2, 3, 4}));
    EXPECT_EQ(doc.m_nIterations, 7);
    EXPECT_EQ(doc.m_bPictureValid, 1);
}

// Opening and saving set files on the disk, through the framework.
class SetFileOnDisk : public DocHarness {
protected:
    std::vector<CString> Messages() const {
        std::vector<CString> texts;
        for (const auto& box : m_host.MessageBoxes())
            texts.push_back(box.text);
        return texts;
    }

    TempFolder m_folder;
};

TEST_F(SetFileOnDisk, SavedNewSetOpensAgainUnchanged) {
    CQuirl32Doc& doc = NewDoc();
    doc.m_extents = SetExtents{-0.75, 0.25, std::bit_cast<double>(0x7ff4000000000abcull), 0.5};
    doc.m_nIterations = 0;
    doc.m_nRandomPoints = -5;
    const CString path = m_folder.Path("set.qrl");
    ASSERT_TRUE(doc.OnSaveDocument(path));
    EXPECT_EQ(TempFolder::Read(path), Store(doc));

    CQuirl32Doc* back = OpenDoc(path);
    ASSERT_NE(back, nullptr);
    EXPECT_TRUE(SameExtents(back->m_extents, doc.m_extents));
    EXPECT_EQ(back->m_nIterations, 0);
    EXPECT_EQ(back->m_nRandomPoints, -5);
    EXPECT_EQ(back->m_bPictureValid, 0);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(SetFileOnDisk, OpenedSetHasNothingToUndo) {
    const CString path = m_folder.Write("default.qrl", kDefaultFile);
    NewDoc();
    m_host.SendCommand(ID_SET_UNZOOM);
    CQuirl32Doc* doc = OpenDoc(path);
    ASSERT_NE(doc, nullptr);
    EXPECT_TRUE(SameExtents(doc->m_extents, kDefaultExtents));
    EXPECT_TRUE(SameExtents(doc->m_undoExtents, SetExtents{}));
    EXPECT_FALSE(UndoEnabled());
    EXPECT_EQ(doc->GetTitle(), "default.qrl");
}

TEST_F(SetFileOnDisk, ALongerFileOpensLikeItsFirstFortyBytes) {
    Bytes longer = kDefaultFile;
    longer[32] = 200;
    longer.push_back(0xff);
    CQuirl32Doc* doc = OpenDoc(m_folder.Write("longer.qrl", longer));
    ASSERT_NE(doc, nullptr);
    EXPECT_TRUE(SameExtents(doc->m_extents, kDefaultExtents));
    EXPECT_EQ(doc->m_nIterations, 200);
    EXPECT_EQ(doc->m_nRandomPoints, 10);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(SetFileOnDisk, AShortFileIsRefusedAndOpensNoWindow) {
    NewDoc();
    const std::size_t windows = m_host.ChildFrames().size();
    for (std::size_t size : {39u, 32u, 1u}) {
        m_host.ClearMessageBoxes();
        const CString path = m_folder.Write(
            "short.qrl", Bytes(kDefaultFile.begin(), kDefaultFile.begin() + long(size)));
        EXPECT_EQ(OpenDoc(path), nullptr) << size;
        EXPECT_EQ(Messages(), std::vector<CString>{"Unexpected file format."}) << size;
        EXPECT_EQ(m_host.MessageBoxes().front().type & MB_ICONEXCLAMATION, MB_ICONEXCLAMATION);
        EXPECT_EQ(m_host.ChildFrames().size(), windows);
        EXPECT_EQ(m_template->GetDocuments().size(), 1u);
    }
}

TEST_F(SetFileOnDisk, AnEmptyFileOpensAsANewSet) {
    CQuirl32Doc* doc = OpenDoc(m_folder.Write("empty.qrl", {}));
    ASSERT_NE(doc, nullptr);
    EXPECT_TRUE(SameExtents(doc->m_extents, kDefaultExtents));
    EXPECT_TRUE(SameExtents(doc->m_undoExtents, SetExtents{}));
    EXPECT_EQ(doc->m_nIterations, 50);
    EXPECT_EQ(doc->m_nRandomPoints, 10);
    EXPECT_EQ(doc->m_bPictureValid, 0);
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(doc->GetTitle(), "empty.qrl");
}

TEST_F(SetFileOnDisk, AMissingFileNamesItself) {
    const CString path = m_folder.Path("missing.qrl");
    EXPECT_EQ(OpenDoc(path), nullptr);
    EXPECT_EQ(Messages(), std::vector<CString>{path + " was not found."});
    EXPECT_TRUE(m_host.ChildFrames().empty());
}

TEST_F(SetFileOnDisk, SavingOverALongerFileLeavesFortyBytes) {
    const CString path = m_folder.Write("old.qrl", Bytes(100, 0xab));
    CQuirl32Doc& doc = NewDoc();
    ASSERT_TRUE(doc.OnSaveDocument(path));
    EXPECT_EQ(TempFolder::Read(path), kDefaultFile);
    EXPECT_TRUE(Messages().empty());
}

} // namespace
