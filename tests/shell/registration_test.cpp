// Registration with the desktop in the user's folders: the files, the
// default application, and what is left alone.

#include "commands/resource_ids.h"
#include "commands/resources.h"
#include "platform/qt/shell/default_application.h"
#include "platform/qt/shell/shell_files.h"
#include "platform/qt/shell/shell_registration.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Write(const QString& path, const QByteArray& content) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

class RegistrationTest : public ::testing::Test {
protected:
    void SetUp() override {
        AfxSetResources(&Quirl32Resources());
        folders.dataHome = dir.path() + "/data";
        folders.configHome = dir.path() + "/config";
        folders.dataDirs = {dir.path() + "/system/share"};
        folders.configDirs = {dir.path() + "/system/etc"};
        type.appName = "Quirl32";
        type.typeId = "Quirl32.Document";
        type.typeName = "Quirl3 Document";
        type.extension = ".qrl";
        type.nAppIcon = IDR_MAINFRAME;
        type.nDocIcon = IDR_QUIRL3TYPE;
    }

    ShellRegistration Register() {
        return RegisterShellFileType(type, program, folders,
                                     [this](const QString& tool, const QStringList& args) {
                                         toolsRun << tool + " " + args.join(' ');
                                     });
    }

    QString Data(const QString& rel) const { return folders.dataHome + "/" + rel; }
    QString UserList() const { return folders.configHome + "/mimeapps.list"; }

    QTemporaryDir dir;
    XdgFolders folders;
    ShellFileType type;
    QString program = "/opt/quirl 32/bin/quirl32";
    QStringList toolsRun;
};

TEST_F(RegistrationTest, WritesEntryPackageAndIconsAndTakesTheFreeType) {
    const ShellRegistration result = Register();
    EXPECT_TRUE(result.filesChanged);
    EXPECT_TRUE(result.tookDefault);

    const QString entry = QString::fromUtf8(Read(Data("applications/quirl32.desktop")));
    EXPECT_TRUE(entry.startsWith("[Desktop Entry]\n"));
    EXPECT_TRUE(entry.contains("\nName=Quirl32\n"));
    EXPECT_TRUE(entry.contains("\nExec=\"/opt/quirl 32/bin/quirl32\" %F\n")) << entry.toStdString();
    EXPECT_TRUE(entry.contains("\nTryExec=/opt/quirl 32/bin/quirl32\n"));
    EXPECT_TRUE(entry.contains("\nMimeType=application/x-quirl32;\n"));
    EXPECT_TRUE(entry.contains("\nCategories=Graphics;Science;\n"));
    EXPECT_TRUE(entry.contains("\nIcon=quirl32\n"));

    const QString mime = QString::fromUtf8(Read(Data("mime/packages/quirl32.xml")));
    EXPECT_TRUE(mime.contains("<mime-type type=\"application/x-quirl32\">"));
    EXPECT_TRUE(mime.contains("<comment>Quirl3 Document</comment>"));
    EXPECT_TRUE(mime.contains("<glob pattern=\"*.qrl\"/>"));

    for (int size : ShellIconSizes()) {
        const QImage app(Data(QString("icons/hicolor/%1x%1/apps/quirl32.png").arg(size)));
        const QImage doc(
            Data(QString("icons/hicolor/%1x%1/mimetypes/application-x-quirl32.png").arg(size)));
        EXPECT_EQ(app.size(), QSize(size, size));
        EXPECT_EQ(doc.size(), QSize(size, size));
    }
    EXPECT_EQ(DefaultApplication(folders, "application/x-quirl32"), "quirl32.desktop");
    EXPECT_EQ(Read(UserList()), "[Default Applications]\napplication/x-quirl32=quirl32.desktop;\n");

    // The caches of the user's folders are brought up to date.
    EXPECT_EQ(toolsRun, (QStringList{"update-mime-database " + Data("mime"),
                                     "update-desktop-database -q " + Data("applications")}));
}

TEST_F(RegistrationTest, AnUnchangedRegistrationTouchesNothing) {
    Register();
    // What the tools would have made.
    Write(Data("mime/mime.cache"), "cache");
    Write(Data("applications/mimeinfo.cache"), "cache");
    const QByteArray list = Read(UserList());
    toolsRun.clear();

    const ShellRegistration again = Register();
    EXPECT_FALSE(again.filesChanged);
    EXPECT_FALSE(again.tookDefault);
    EXPECT_TRUE(toolsRun.isEmpty());
    EXPECT_EQ(Read(UserList()), list);

    // A start from elsewhere moves the entry there, and only the entry.
    program = "/usr/bin/quirl32";
    const ShellRegistration moved = Register();
    EXPECT_TRUE(moved.filesChanged);
    EXPECT_EQ(toolsRun, QStringList{"update-desktop-database -q " + Data("applications")});
    EXPECT_TRUE(
        Read(Data("applications/quirl32.desktop")).contains("\nExec=/usr/bin/quirl32 %F\n"));
}

TEST_F(RegistrationTest, AnotherProgramsAssociationStays) {
    const QByteArray list = "# mine\n[Added Associations]\ntext/plain=editor.desktop;\n\n"
                            "[Default Applications]\nimage/png=viewer.desktop\n"
                            "application/x-quirl32 = other.desktop;quirl32.desktop;\n";
    Write(UserList(), list);
    const ShellRegistration result = Register();
    EXPECT_FALSE(result.tookDefault);
    EXPECT_EQ(Read(UserList()), list);
    // Our files are there all the same, for "Open With".
    EXPECT_TRUE(QFile::exists(Data("applications/quirl32.desktop")));
}

TEST_F(RegistrationTest, ADefaultOfTheSystemOrTheDesktopStaysToo) {
    Write(folders.dataDirs[0] + "/applications/mimeapps.list",
          "[Default Applications]\napplication/x-quirl32=system-viewer.desktop\n");
    EXPECT_FALSE(Register().tookDefault);
    EXPECT_FALSE(QFile::exists(UserList()));

    QFile::remove(folders.dataDirs[0] + "/applications/mimeapps.list");
    folders.desktops = {"kde"};
    Write(folders.configHome + "/kde-mimeapps.list",
          "[Default Applications]\napplication/x-quirl32=kde-viewer.desktop;\n");
    EXPECT_EQ(DefaultApplication(folders, "application/x-quirl32"), "kde-viewer.desktop");
    EXPECT_FALSE(Register().tookDefault);
    EXPECT_FALSE(QFile::exists(UserList()));
}

TEST_F(RegistrationTest, TheDefaultGoesIntoTheUsersListKeepingTheRest) {
    Write(UserList(), "[Default Applications]\nimage/png=viewer.desktop\napplication/x-quirl32=\n"
                      "[Added Associations]\nimage/png=editor.desktop;\n");
    EXPECT_TRUE(Register().tookDefault);
    EXPECT_EQ(Read(UserList()), "[Default Applications]\nimage/png=viewer.desktop\n"
                                "application/x-quirl32=quirl32.desktop;\n"
                                "[Added Associations]\nimage/png=editor.desktop;\n");

    Write(UserList(), "[Added Associations]\nimage/png=editor.desktop;");
    EXPECT_TRUE(Register().tookDefault);
    EXPECT_EQ(Read(UserList()), "[Added Associations]\nimage/png=editor.desktop;\n\n"
                                "[Default Applications]\n"
                                "application/x-quirl32=quirl32.desktop;\n");
}

TEST_F(RegistrationTest, AnExtensionClaimedByAnotherTypeIsLeftToIt) {
    Write(folders.dataDirs[0] + "/mime/globs2",
          "# generated\n50:application/x-other:*.QRL\n50:application/x-quirl32:*.qrl\n");
    EXPECT_TRUE(GlobClaimedByOtherType(folders, "*.qrl", "application/x-quirl32"));
    Register();
    const QByteArray mime = Read(Data("mime/packages/quirl32.xml"));
    EXPECT_TRUE(mime.contains("application/x-quirl32"));
    EXPECT_FALSE(mime.contains("<glob"));

    // Once the other type has gone, the next start claims the extension.
    Write(folders.dataDirs[0] + "/mime/globs2", "50:application/x-quirl32:*.qrl\n");
    EXPECT_FALSE(GlobClaimedByOtherType(folders, "*.qrl", "application/x-quirl32"));
    EXPECT_TRUE(Register().filesChanged);
    EXPECT_TRUE(Read(Data("mime/packages/quirl32.xml")).contains("<glob pattern=\"*.qrl\"/>"));
}

TEST_F(RegistrationTest, AFolderThatCannotBeWrittenFailsSilently) {
    Write(dir.path() + "/blocked", "a file where the folder should be");
    folders.dataHome = dir.path() + "/blocked";
    folders.configHome = dir.path() + "/blocked/config";
    const ShellRegistration result = Register();
    EXPECT_FALSE(result.filesChanged);
    EXPECT_FALSE(result.tookDefault);
}

TEST_F(RegistrationTest, TheDesktopsOwnToolsAcceptTheFiles) {
    const QString validate = QStandardPaths::findExecutable("desktop-file-validate");
    const QString updateMime = QStandardPaths::findExecutable("update-mime-database");
    if (validate.isEmpty() || updateMime.isEmpty())
        GTEST_SKIP() << "desktop-file-utils or shared-mime-info is not installed";
    program = "/opt/quirl 32/bin/quirl32 \"$HOME\" 100%";
    RegisterShellFileType(type, program, folders, [](const QString& tool, const QStringList& args) {
        QProcess::execute(QStandardPaths::findExecutable(tool), args);
    });

    QProcess check;
    check.start(validate, {Data("applications/quirl32.desktop")});
    ASSERT_TRUE(check.waitForFinished());
    EXPECT_EQ(check.exitCode(), 0) << check.readAllStandardOutput().toStdString();
    EXPECT_TRUE(Read(Data("applications/quirl32.desktop"))
                    .contains("Exec=\"/opt/quirl 32/bin/quirl32 \\\\\"\\\\$HOME\\\\\" 100%%\" %F"));
    EXPECT_TRUE(Read(Data("mime/globs2")).contains("application/x-quirl32:*.qrl"));
    EXPECT_TRUE(QFile::exists(Data("mime/mime.cache")));
}

TEST(ShellFiles, ExecArgumentsAreQuotedOnlyWhenNeeded) {
    EXPECT_EQ(QuoteExecArgument("/usr/bin/quirl32"), "/usr/bin/quirl32");
    EXPECT_EQ(QuoteExecArgument("/home/a b/quirl32"), "\"/home/a b/quirl32\"");
    EXPECT_EQ(QuoteExecArgument("/x/50%"), "/x/50%%");
    EXPECT_EQ(QuoteExecArgument("/x/$a`b\"c\\d"), "\"/x/\\$a\\`b\\\"c\\\\d\"");
}

} // namespace
