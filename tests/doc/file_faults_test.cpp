// Set files when the file system says no: folders that are not writable,
// full disks, read-only files, files that vanish or cannot be read, short
// files and files of random bytes. Each time the program shows its message,
// the old file stays as it was and the program goes on.
//
// The tests run as root in CI, and root passes every permission check: the
// cases that rest on permissions run in a child process that has dropped
// to the user nobody, and the full disk is a small tmpfs mounted in a child
// with a mount namespace of its own. Where neither is allowed they skip.

#include "file_fixture.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class FileFaults : public SetFileFixture {
protected:
    // Save As through the file dialog, with this name typed.
    void SaveAs(const std::string& path) {
        host.PushFileName(path);
        ASSERT_TRUE(host.SendCommand(ID_FILE_SAVE_AS));
    }

    CString LastMessage() const {
        return host.MessageBoxes().empty() ? CString() : host.MessageBoxes().back().text;
    }

    // The program goes on: the set window is there and computes again.
    bool StillRunning() {
        if (host.ChildFrames().size() != 1 || !host.SendCommand(ID_SET_UNZOOM))
            return false;
        host.PostMessage(frame, 0, 0, 0);
        return host.PumpUntilIdle(app) != FALSE && view->m_bWorking == 0;
    }
};

} // namespace

TEST_F(FileFaults, SavingIntoAFolderThatIsNotWritable) {
    const std::string locked = folder.Path("locked");
    ASSERT_EQ(mkdir(locked.c_str(), 0555), 0);
    const std::string path = locked + "/set.qrl";

    const std::string seen = AsUnprivilegedUser([&] {
        SaveAs(path);
        return LastMessage() + "|" + std::to_string(TempFolder::Entries(locked)) + "|" +
               Doc(view).GetPathName() + "|" + (StillRunning() ? "running" : "stopped");
    });
    if (seen == "skip")
        GTEST_SKIP() << "cannot drop root here";
    EXPECT_EQ(seen, "Access to " + path + " was denied.|0||running");
}

TEST_F(FileFaults, SavingOverAReadOnlyFileKeepsIt) {
    // The user's own file, marked read-only, in the user's own folder.
    const std::string own = folder.Path("own");
    ASSERT_EQ(mkdir(own.c_str(), 0755), 0);
    ASSERT_EQ(chown(own.c_str(), kUnprivilegedUid, kUnprivilegedGid), 0);
    const std::string file = own + "/old.qrl";
    folder.Write("own/old.qrl", kOldFile);
    ASSERT_EQ(chown(file.c_str(), kUnprivilegedUid, kUnprivilegedGid), 0);
    ASSERT_EQ(chmod(file.c_str(), 0444), 0);

    const std::string seen = AsUnprivilegedUser([&] {
        SaveAs(file);
        return LastMessage() + "|" + std::to_string(TempFolder::Entries(own)) + "|" +
               (StillRunning() ? "running" : "stopped");
    });
    if (seen == "skip")
        GTEST_SKIP() << "cannot drop root here";
    EXPECT_EQ(seen, "Access to " + file + " was denied.|1|running");
    EXPECT_EQ(TempFolder::Read(file), kOldFile);
}

TEST_F(FileFaults, SavingOntoAFullDiskKeepsTheOldFile) {
    const std::string disk = folder.Path("disk");
    ASSERT_EQ(mkdir(disk.c_str(), 0755), 0);
    const std::string file = disk + "/old.qrl";

    const auto seen = RunInChild([&]() -> std::string {
        if (!MountSmallTmpfs(disk, "64k"))
            return "skip";
        folder.Write("disk/old.qrl", kOldFile);
        // Fill the disk to the last byte.
        {
            std::ofstream filler(disk + "/filler", std::ios::binary);
            const std::string block(4096, 'x');
            while (filler.write(block.data(), std::streamsize(block.size())))
                filler.flush();
        }
        SaveAs(file);
        const bool kept = TempFolder::Read(file) == kOldFile;
        return LastMessage() + "|" + (kept ? "kept" : "lost") + "|" +
               std::to_string(TempFolder::Entries(disk)) + "|" +
               (StillRunning() ? "running" : "stopped");
    });
    ASSERT_TRUE(seen.has_value()) << "the child process failed";
    if (*seen == "skip")
        GTEST_SKIP() << "cannot mount a tmpfs here";
    // No temporary file is left beside the old one and the filler.
    EXPECT_EQ(*seen, "Disk full while accessing " + file + ".|kept|2|running");
}

TEST_F(FileFaults, SavingOntoADeviceIsRefused) {
    // (Typed into Save As, the name would get the extension .qrl.)
    EXPECT_FALSE(Doc(view).OnSaveDocument("/dev/full"));
    EXPECT_EQ(LastMessage(), "Access to /dev/full was denied.");
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
    EXPECT_TRUE(StillRunning());
}

TEST_F(FileFaults, OpeningAFileThatCannotBeRead) {
    const std::string file = folder.Write("secret.qrl", kOldFile);
    ASSERT_EQ(chmod(file.c_str(), 0000), 0);

    const std::string seen = AsUnprivilegedUser([&] {
        const bool opened = app.OpenDocumentFile(file) != nullptr;
        return std::string(opened ? "opened" : "refused") + "|" + LastMessage() + "|" +
               std::to_string(host.ChildFrames().size()) + "|" +
               (StillRunning() ? "running" : "stopped");
    });
    if (seen == "skip")
        GTEST_SKIP() << "cannot drop root here";
    EXPECT_EQ(seen, "refused|Access to " + file + " was denied.|1|running");
}

TEST_F(FileFaults, OpeningAFileThatVanished) {
    // Saved, so it is in the recent-file list; then it goes away.
    const std::string file = folder.Path("gone.qrl");
    SaveAs(file);
    ASSERT_EQ(app.GetRecentFiles().size(), 1u);
    host.SendCommand(ID_FILE_CLOSE);
    ASSERT_TRUE(fs::remove(file));
    view = NewView(40, 30);

    EXPECT_TRUE(host.SendCommand(ID_FILE_MRU_FILE1));
    EXPECT_EQ(LastMessage(), file + " was not found.");
    EXPECT_TRUE(app.GetRecentFiles().empty());

    // Chosen in the file dialog, gone before it is read.
    host.PushFileName(file);
    EXPECT_TRUE(host.SendCommand(ID_FILE_OPEN));
    EXPECT_EQ(LastMessage(), file + " was not found.");
    EXPECT_EQ(host.MessageBoxes().size(), 2u);
    EXPECT_TRUE(StillRunning());
}

TEST_F(FileFaults, FilesOfRandomBytesOpenOrGiveTheMessage) {
    std::mt19937 random(20240607);
    std::size_t refused = 0;
    for (int i = 0; i < 300; ++i) {
        // Every length up to 48 at least twice, 39, 40 and 41 among them.
        const std::size_t length = std::size_t(i < 98 ? i / 2 : random() % 100);
        Bytes bytes(length);
        for (auto& b : bytes)
            b = std::uint8_t(random());
        const std::string file = folder.Write("random" + std::to_string(i) + ".qrl", bytes);
        const std::size_t frames = host.ChildFrames().size();
        CDocument* doc = app.OpenDocumentFile(file);
        if (length >= 1 && length <= 39) {
            ++refused;
            EXPECT_EQ(doc, nullptr) << length;
            EXPECT_EQ(LastMessage(), "Unexpected file format.") << length;
            EXPECT_EQ(host.ChildFrames().size(), frames);
            continue;
        }
        ASSERT_NE(doc, nullptr) << length;
        EXPECT_EQ(host.MessageBoxes().size(), refused) << length;
        auto& set = static_cast<CQuirl32Doc&>(*doc);
        if (length >= 40) {
            EXPECT_EQ(std::memcmp(&set.m_nIterations, bytes.data() + 32, 4), 0);
        }
        // A few steps, where the limit keeps them short; then the window closes.
        if (set.m_nIterations <= 1000 && set.m_nRandomPoints <= 1000) {
            host.PostMessage(frame, 0, 0, 0);
            host.RunIdle(app, 20);
        }
        host.SendCommand(ID_FILE_CLOSE);
        EXPECT_EQ(host.ChildFrames().size(), frames);
    }
    EXPECT_EQ(host.MessageBoxes().size(), refused);
    EXPECT_TRUE(StillRunning());
}
