#include "platform/qt/shell/xdg_folders.h"

#include <QDir>

namespace {

// A variable that is unset, empty or not absolute counts as unset.
QString Folder(const char* variable, const QString& fallback) {
    const QString value = qEnvironmentVariable(variable);
    return QDir::isAbsolutePath(value) ? QDir::cleanPath(value) : fallback;
}

QStringList Folders(const char* variable, const QStringList& fallback) {
    QStringList folders;
    for (const QString& part : qEnvironmentVariable(variable).split(QLatin1Char(':')))
        if (QDir::isAbsolutePath(part))
            folders << QDir::cleanPath(part);
    return folders.isEmpty() ? fallback : folders;
}

} // namespace

XdgFolders XdgFolders::FromEnvironment() {
    const QString home = QDir::homePath();
    XdgFolders folders;
    folders.dataHome = Folder("XDG_DATA_HOME", home + QStringLiteral("/.local/share"));
    folders.configHome = Folder("XDG_CONFIG_HOME", home + QStringLiteral("/.config"));
    folders.dataDirs = Folders("XDG_DATA_DIRS",
                               {QStringLiteral("/usr/local/share"), QStringLiteral("/usr/share")});
    folders.configDirs = Folders("XDG_CONFIG_DIRS", {QStringLiteral("/etc/xdg")});
    for (const QString& desktop :
         qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(QLatin1Char(':'), Qt::SkipEmptyParts))
        folders.desktops << desktop.toLower();
    return folders;
}
