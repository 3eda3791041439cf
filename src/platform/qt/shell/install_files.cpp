#include "platform/qt/shell/install_files.h"

#include "platform/qt/dialogs/help_window.h"
#include "platform/qt/shell/shell_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

namespace {

bool Write(const QString& path, const QByteArray& content, QString& error) {
    if (content.isEmpty()) {
        error = QStringLiteral("nothing to write into ") + path;
        return false;
    }
    QFile file(path);
    if (!QDir().mkpath(QFileInfo(path).absolutePath()) || !file.open(QIODevice::WriteOnly) ||
        file.write(content) != content.size()) {
        error = QStringLiteral("cannot write ") + path;
        return false;
    }
    return true;
}

// The help pages, found from the contents page by their links.
QStringList HelpPageNames() {
    QStringList names{QStringLiteral("index.html")};
    QSet<QString> seen(names.begin(), names.end());
    static const QRegularExpression link(QStringLiteral("href=\"([a-z0-9-]+\\.html)\""));
    for (qsizetype i = 0; i < names.size(); ++i) {
        auto it = link.globalMatch(HelpPage(names[i]));
        while (it.hasNext()) {
            const QString target = it.next().captured(1);
            if (!seen.contains(target) && !HelpPage(target).isEmpty()) {
                seen.insert(target);
                names << target;
            }
        }
    }
    return names;
}

QByteArray HelpFile(const QString& name) {
    QString page = HelpPage(name);
    page.replace(QStringLiteral("<head>"), QStringLiteral("<head><meta charset=\"utf-8\">"));
    return (QStringLiteral("<!DOCTYPE html>\n") + page + QLatin1Char('\n')).toUtf8();
}

} // namespace

std::string WriteInstallFiles(const ShellFileType& type, const std::string& root) {
    const ShellNames names = ShellNamesOf(type);
    const QString share = QString::fromStdString(root);
    if (share.isEmpty() || names.appId.isEmpty())
        return "no folder or no program name";
    QDir(share).removeRecursively();
    QString error;
    bool ok =
        Write(share + QStringLiteral("/applications/") + names.desktopFile(),
              DesktopEntry(type, names.appId), error) &&
        Write(share + QStringLiteral("/mime/packages/") + names.appId + QStringLiteral(".xml"),
              MimePackage(type, true), error);
    for (int size : ShellIconSizes()) {
        const QString dir = share + QStringLiteral("/icons/hicolor/%1x%1/").arg(size);
        ok = ok &&
             Write(dir + QStringLiteral("apps/") + names.appId + QStringLiteral(".png"),
                   ShellIconPng(type.nAppIcon, size), error) &&
             Write(dir + QStringLiteral("mimetypes/") + names.mimeIcon + QStringLiteral(".png"),
                   ShellIconPng(type.nDocIcon, size), error);
    }
    const QString help = share + QStringLiteral("/doc/") + names.appId + QStringLiteral("/html/");
    for (const QString& page : HelpPageNames())
        ok = ok && Write(help + page, HelpFile(page), error);
    return ok ? std::string() : error.toStdString();
}
