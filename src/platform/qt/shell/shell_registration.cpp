#include "platform/qt/shell/shell_registration.h"

#include "platform/qt/shell/default_application.h"
#include "platform/qt/shell/shell_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

enum class Write { Same, Written, Failed };

// Writes the file only when its content differs, so that an unchanged
// registration touches nothing.
Write WriteIfChanged(const QString& path, const QByteArray& content) {
    if (content.isEmpty())
        return Write::Failed;
    if (QFile old(path); old.open(QIODevice::ReadOnly) && old.readAll() == content)
        return Write::Same;
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return Write::Failed;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        return Write::Failed;
    return file.commit() ? Write::Written : Write::Failed;
}

} // namespace

ShellToolRunner DetachedShellTools() {
    return [](const QString& tool, const QStringList& arguments) {
        const QString path = QStandardPaths::findExecutable(tool);
        if (path.isEmpty())
            return;
        QProcess process;
        process.setProgram(path);
        process.setArguments(arguments);
        process.setStandardInputFile(QProcess::nullDevice());
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
        process.startDetached();
    };
}

bool GlobClaimedByOtherType(const XdgFolders& folders, const QString& glob,
                            const QString& ourType) {
    QStringList databases{folders.dataHome};
    databases += folders.dataDirs;
    for (const QString& dir : databases) {
        QFile file(dir + QStringLiteral("/mime/globs2"));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        // Lines are "weight:type:glob[:flags]".
        for (const QByteArray& raw : file.readAll().split('\n')) {
            if (raw.startsWith('#'))
                continue;
            const QList<QByteArray> fields = raw.split(':');
            if (fields.size() < 3)
                continue;
            const QString type = QString::fromUtf8(fields[1]);
            const QString pattern = QString::fromUtf8(fields[2]);
            if (type != ourType && pattern.compare(glob, Qt::CaseInsensitive) == 0)
                return true;
        }
    }
    return false;
}

ShellRegistration RegisterShellFileType(const ShellFileType& type, const QString& program,
                                        const XdgFolders& folders, const ShellToolRunner& tools) {
    ShellRegistration result;
    const ShellNames names = ShellNamesOf(type);
    if (names.appId.isEmpty() || folders.dataHome.isEmpty())
        return result;
    const QString data = folders.dataHome;

    // The type claims its extension only when no other type has it already.
    const bool withGlob = !GlobClaimedByOtherType(folders, names.glob, names.mimeType);
    const QString mimeDir = data + QStringLiteral("/mime");
    const Write mime = WriteIfChanged(mimeDir + QStringLiteral("/packages/") + names.appId +
                                          QStringLiteral(".xml"),
                                      MimePackage(type, withGlob));

    const QString appsDir = data + QStringLiteral("/applications");
    const Write entry = WriteIfChanged(appsDir + QLatin1Char('/') + names.desktopFile(),
                                       DesktopEntry(type, program));

    bool iconsChanged = false;
    for (int size : ShellIconSizes()) {
        const QString dir = data + QStringLiteral("/icons/hicolor/%1x%1/").arg(size);
        if (type.nAppIcon != 0 &&
            WriteIfChanged(dir + QStringLiteral("apps/") + names.appId + QStringLiteral(".png"),
                           ShellIconPng(type.nAppIcon, size)) == Write::Written)
            iconsChanged = true;
        if (type.nDocIcon != 0 &&
            WriteIfChanged(dir + QStringLiteral("mimetypes/") + names.mimeIcon +
                               QStringLiteral(".png"),
                           ShellIconPng(type.nDocIcon, size)) == Write::Written)
            iconsChanged = true;
    }
    result.filesChanged = mime == Write::Written || entry == Write::Written || iconsChanged;

    // The association: ours when the type has none yet; another program's
    // choice stays.
    const QString current = DefaultApplication(folders, names.mimeType);
    if (current.isEmpty() && SetDefaultApplication(folders, names.mimeType, names.desktopFile()))
        result.tookDefault = true;

    if (tools) {
        if (mime == Write::Written || !QFile::exists(mimeDir + QStringLiteral("/mime.cache")))
            tools(QStringLiteral("update-mime-database"), {mimeDir});
        if (entry == Write::Written || !QFile::exists(appsDir + QStringLiteral("/mimeinfo.cache")))
            tools(QStringLiteral("update-desktop-database"), {QStringLiteral("-q"), appsDir});
    }
    return result;
}
