// Opening and saving documents: the framework's messages, short and long
// files, empty files, and saves that fail without losing the old file.

#include "fixture.h"
#include "support/file_size_limit.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;

class DocumentFiles : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(app.InitInstance());
        app.OnFileNew();
        first = ActiveDoc();
        ASSERT_NE(first, nullptr);
    }
    TestDoc* ActiveDoc() {
        CView* v = static_cast<CMDIFrameWnd*>(app.m_pMainWnd)->GetActiveView();
        return v != nullptr ? static_cast<TestDoc*>(v->GetDocument()) : nullptr;
    }
    // Opens path and expects it to fail with exactly one message.
    void ExpectOpenFails(const std::string& path, const CString& message) {
        const std::size_t frames = host.ChildFrames().size();
        host.ClearMessageBoxes();
        EXPECT_EQ(app.OpenDocumentFile(path), nullptr);
        ASSERT_EQ(host.MessageBoxes().size(), 1u) << path;
        EXPECT_EQ(host.MessageBoxes()[0].text, message);
        EXPECT_EQ(host.MessageBoxes()[0].type, MB_ICONEXCLAMATION);
        EXPECT_EQ(host.ChildFrames().size(), frames);
        EXPECT_EQ(ActiveDoc(), first); // the other documents are untouched
        EXPECT_EQ(TestView::s_nLive, int(frames));
    }
    std::vector<std::uint8_t> SaveBytes(TestDoc* doc) {
        std::vector<std::uint8_t> bytes;
        CArchive ar(bytes, CArchive::store);
        doc->Serialize(ar);
        return bytes;
    }

    HeadlessHost host;
    TestApp app;
    TempFolder dir;
    TestDoc* first = nullptr;
};

TEST_F(DocumentFiles, FilesThatCannotBeReadGiveTheMessageOfTheirCause) {
    const std::string missing = dir.Path("missing.qrl");
    ExpectOpenFails(missing, missing + " was not found.");
    const std::string file = dir.Write("file.qrl", CountingBytes(40));
    ExpectOpenFails(file + "/below.qrl", file + "/below.qrl was not found.");
    // A folder is not a document (and root can read everything else).
    ExpectOpenFails(dir.Path(""), "Access to " + dir.Path("") + " was denied.");
    const std::string fifo = dir.Path("pipe.qrl");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    ExpectOpenFails(fifo, "Access to " + fifo + " was denied.");
}

TEST_F(DocumentFiles, ShortLongAndEmptyFiles) {
    // 39 bytes: the load runs out of data and nothing opens.
    ExpectOpenFails(dir.Write("short.qrl", CountingBytes(39)), "Unexpected file format.");
    host.ClearMessageBoxes();

    std::vector<std::uint8_t> bytes = SaveBytes(first);
    bytes.push_back(0xEE);
    const std::string longer = dir.Write("longer.qrl", bytes);
    auto* doc = static_cast<TestDoc*>(app.OpenDocumentFile(longer));
    ASSERT_NE(doc, nullptr);
    EXPECT_TRUE(host.MessageBoxes().empty());
    EXPECT_EQ(doc->m_values[0], -2.1);
    EXPECT_EQ(doc->m_nB, 10);
    EXPECT_EQ(doc->GetTitle(), "longer.qrl");
    EXPECT_EQ(doc->GetPathName(), longer);
    EXPECT_EQ(ActiveDoc(), doc);

    const std::string empty = dir.Write("empty.qrl", {});
    auto* blank = static_cast<TestDoc*>(app.OpenDocumentFile(empty));
    ASSERT_NE(blank, nullptr);
    EXPECT_EQ(blank->m_nLoads, 0);
    EXPECT_TRUE(host.MessageBoxes().empty());
    EXPECT_EQ(host.ChildFrames().size(), 3u);
    EXPECT_EQ(host.WindowText(app.m_pMainWnd), "Quirl32 - empty.qrl");
}

TEST_F(DocumentFiles, SaveAsWritesTheBytesAndTakesTheNewName) {
    const std::vector<std::uint8_t> expected = SaveBytes(first);
    host.PushFileName(dir.Path("picture")); // no extension typed
    EXPECT_TRUE(host.SendCommand(ID_FILE_SAVE_AS));
    const std::string path = dir.Path("picture.qrl");
    EXPECT_EQ(TempFolder::Read(path), expected);
    EXPECT_EQ(first->GetPathName(), path);
    EXPECT_EQ(first->GetTitle(), "picture.qrl");
    EXPECT_EQ(app.GetRecentFiles(), (std::vector<CString>{path}));
    ASSERT_EQ(host.FilePrompts().size(), 1u);
    EXPECT_EQ(host.FilePrompts()[0].filter, "Quirl3 Files (*.qrl)|*.qrl|All Files (*.*)|*.*");
    EXPECT_EQ(host.FilePrompts()[0].defaultExt, ".qrl");
    EXPECT_EQ(host.FilePrompts()[0].initialPath, "Quirl31.qrl");
    EXPECT_FALSE(host.FilePrompts()[0].bOpen);

    // Save writes under the same name without asking; a cancelled Save As writes nothing.
    first->m_nA = 77;
    EXPECT_TRUE(host.SendCommand(ID_FILE_SAVE));
    EXPECT_EQ(host.FilePrompts().size(), 1u);
    EXPECT_EQ(TempFolder::Read(path)[32], 77);
    EXPECT_TRUE(host.SendCommand(ID_FILE_SAVE_AS));
    EXPECT_EQ(first->GetPathName(), path);
    EXPECT_EQ(TempFolder::Entries(dir.Path("")), 1u);

    auto* reopened = static_cast<TestDoc*>(app.OpenDocumentFile(path));
    EXPECT_EQ(reopened, first); // already open: brought to the front
}

TEST_F(DocumentFiles, ASaveThatCannotCreateItsFileSaysSo) {
    EXPECT_FALSE(first->OnSaveDocument(dir.Path("no/such/folder.qrl")));
    ASSERT_EQ(host.MessageBoxes().size(), 1u);
    EXPECT_EQ(host.MessageBoxes()[0].text, "Invalid filename.");

    // A folder or a device in the way is never replaced.
    const std::string folder = dir.Path("folder.qrl");
    fs::create_directory(folder);
    EXPECT_FALSE(first->OnSaveDocument(folder));
    EXPECT_EQ(host.MessageBoxes().back().text, "Access to " + folder + " was denied.");
    EXPECT_TRUE(fs::is_directory(folder));
    const std::string fifo = dir.Path("pipe.qrl");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(first->OnSaveDocument(fifo));
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_EQ(host.MessageBoxes().size(), 3u);
}

TEST_F(DocumentFiles, AFailedWriteKeepsTheOldFile) {
    const std::vector<std::uint8_t> old = CountingBytes(40, 100);
    const std::string path = dir.Write("kept.qrl", old);
    first->m_nA = 12345;

    // Files may grow to 10 bytes only: the write stops as on a full disk.
    BOOL saved_ok = TRUE;
    {
        const FileSizeLimit limit(10);
        ASSERT_TRUE(limit.IsSet());
        saved_ok = first->OnSaveDocument(path);
    }

    EXPECT_FALSE(saved_ok);
    ASSERT_EQ(host.MessageBoxes().size(), 1u);
    EXPECT_EQ(host.MessageBoxes()[0].text, "Disk full while accessing " + path + ".");
    EXPECT_EQ(TempFolder::Read(path), old);
    // No temporary file is left behind.
    EXPECT_EQ(TempFolder::Entries(dir.Path("")), 1u);
}

TEST_F(DocumentFiles, SavingKeepsTheModeOfTheFileItReplaces) {
    const std::string path = dir.Write("mode.qrl", CountingBytes(3));
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    EXPECT_TRUE(first->OnSaveDocument(path));
    struct stat st {};
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(TempFolder::Read(path).size(), 40u);
}

} // namespace
