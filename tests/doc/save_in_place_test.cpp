// Saving over a file that a new file could not replace faithfully: a folder
// that takes no new file, other names of the same file, another owner,
// extended attributes. The file itself is written over and stays the same
// file; when that write fails, the old bytes come back.
//
// The cases that rest on permissions run as the user nobody in a child
// process, as in the other file tests.

#include "file_fixture.h"
#include "support/file_size_limit.h"

#include <cstring>
#include <string>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

class SaveInPlace : public SetFileFixture {
protected:
    void SetUp() override {
        SetFileFixture::SetUp();
        Doc(view).m_nIterations = 123;
    }

    // Save As through the file dialog; the message shown, if any.
    std::string SaveAs(const std::string& path) {
        const std::size_t before = host.MessageBoxes().size();
        host.PushFileName(path);
        EXPECT_TRUE(host.SendCommand(ID_FILE_SAVE_AS));
        return host.MessageBoxes().size() == before ? "saved" : host.MessageBoxes().back().text;
    }

    // The saved file holds this document: its limit is 123.
    static bool HoldsTheDocument(const std::string& path) {
        const Bytes bytes = TempFolder::Read(path);
        std::int32_t iterations = 0;
        if (bytes.size() != 40)
            return false;
        std::memcpy(&iterations, bytes.data() + 32, 4);
        return iterations == 123;
    }

    static struct stat Stat(const std::string& path) {
        struct stat st {};
        stat(path.c_str(), &st);
        return st;
    }
};

} // namespace

TEST_F(SaveInPlace, AFileWithAnotherNameStaysOneFile) {
    const std::string file = folder.Write("set.qrl", kOldFile);
    const std::string other = folder.Path("other-name.qrl");
    ASSERT_EQ(link(file.c_str(), other.c_str()), 0);
    const ino_t inode = Stat(file).st_ino;

    EXPECT_EQ(SaveAs(file), "saved");
    EXPECT_TRUE(HoldsTheDocument(file));
    EXPECT_TRUE(HoldsTheDocument(other));
    EXPECT_EQ(Stat(file).st_ino, inode);
    EXPECT_EQ(Stat(file).st_nlink, 2u);
    EXPECT_EQ(TempFolder::Entries(folder.Path("")), 2u);
    EXPECT_EQ(Doc(view).GetPathName(), file);
}

TEST_F(SaveInPlace, AWritableFileInAFolderThatTakesNoNewFile) {
    const std::string locked = folder.Path("locked");
    ASSERT_EQ(mkdir(locked.c_str(), 0755), 0);
    const std::string file = locked + "/set.qrl";
    folder.Write("locked/set.qrl", kOldFile);
    ASSERT_EQ(chmod(file.c_str(), 0666), 0);
    ASSERT_EQ(chmod(locked.c_str(), 0555), 0);

    const std::string seen = AsUnprivilegedUser([&] {
        return SaveAs(file) + "|" + std::to_string(TempFolder::Entries(locked)) + "|" +
               Doc(view).GetPathName();
    });
    if (seen == "skip")
        GTEST_SKIP() << "cannot drop root here";
    EXPECT_EQ(seen, "saved|1|" + file);
    EXPECT_TRUE(HoldsTheDocument(file));
    // Still root's file, with its permissions.
    EXPECT_EQ(Stat(file).st_uid, 0u);
    EXPECT_EQ(Stat(file).st_mode & 07777, 0666u);
}

TEST_F(SaveInPlace, AnotherUsersFileKeepsItsOwner) {
    // Root's file, writable by all, in a folder open to all.
    const std::string file = folder.Write("shared.qrl", kOldFile);
    ASSERT_EQ(chmod(file.c_str(), 0666), 0);
    const ino_t inode = Stat(file).st_ino;

    const std::string seen = AsUnprivilegedUser(
        [&] { return SaveAs(file) + "|" + std::to_string(TempFolder::Entries(folder.Path(""))); });
    if (seen == "skip")
        GTEST_SKIP() << "cannot drop root here";
    EXPECT_EQ(seen, "saved|1");
    EXPECT_TRUE(HoldsTheDocument(file));
    EXPECT_EQ(Stat(file).st_uid, 0u);
    EXPECT_EQ(Stat(file).st_ino, inode);

    // Saved by root, the user's file stays the user's.
    ASSERT_EQ(chown(file.c_str(), kUnprivilegedUid, kUnprivilegedGid), 0);
    Doc(view).m_nIterations = 50;
    EXPECT_EQ(SaveAs(file), "saved");
    EXPECT_EQ(Stat(file).st_uid, kUnprivilegedUid);
    EXPECT_EQ(Stat(file).st_gid, kUnprivilegedGid);
}

TEST_F(SaveInPlace, ExtendedAttributesStay) {
    const std::string file = folder.Write("tagged.qrl", kOldFile);
    const char tag[] = "blue";
    if (setxattr(file.c_str(), "user.quirl32.tag", tag, sizeof tag, 0) != 0)
        GTEST_SKIP() << "no extended attributes on this file system: " << std::strerror(errno);

    EXPECT_EQ(SaveAs(file), "saved");
    EXPECT_TRUE(HoldsTheDocument(file));
    char read[16] = {};
    EXPECT_EQ(getxattr(file.c_str(), "user.quirl32.tag", read, sizeof read), ssize_t(sizeof tag));
    EXPECT_STREQ(read, tag);
}

TEST_F(SaveInPlace, AWriteThatFailsPutsTheOldBytesBack) {
    // A short old file in a folder that takes no new file; the process may
    // not make files longer than 20 bytes, so the write stops halfway.
    const Bytes old = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    const std::string locked = folder.Path("locked");
    ASSERT_EQ(mkdir(locked.c_str(), 0755), 0);
    const std::string file = folder.Write("locked/short.qrl", old);
    ASSERT_EQ(chmod(file.c_str(), 0666), 0);
    ASSERT_EQ(chmod(locked.c_str(), 0555), 0);

    const std::string seen = AsUnprivilegedUser([&] {
        const FileSizeLimit limit(20);
        if (!limit.IsSet())
            return std::string("skip");
        return SaveAs(file) + "|" + std::to_string(TempFolder::Entries(locked));
    });
    if (seen == "skip")
        GTEST_SKIP() << "cannot drop root or limit the file size here";
    EXPECT_EQ(seen, "Disk full while accessing " + file + ".|1");
    EXPECT_EQ(TempFolder::Read(file), old);
}
