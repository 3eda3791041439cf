#include "platform/qt/shell/default_application.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

const QString kGroup = QStringLiteral("Default Applications");

QString UserList(const XdgFolders& folders) {
    return folders.configHome + QStringLiteral("/mimeapps.list");
}

bool IsGroupHeader(const QString& trimmed) {
    return trimmed.startsWith(QLatin1Char('[')) && trimmed.endsWith(QLatin1Char(']'));
}

// The key of a "key=value" line, or "" for other lines.
QString KeyOf(const QString& line, QString* value = nullptr) {
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    const QString trimmed = line.trimmed();
    if (eq < 0 || trimmed.startsWith(QLatin1Char('#')))
        return {};
    if (value != nullptr)
        *value = line.mid(eq + 1).trimmed();
    return line.left(eq).trimmed();
}

// The first desktop id of a list value "a.desktop;b.desktop;".
QString FirstId(const QString& value) {
    for (const QString& id : value.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        if (!id.trimmed().isEmpty())
            return id.trimmed();
    return {};
}

QString DefaultIn(const QString& path, const QString& mimeType) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    bool inGroup = false;
    for (const QByteArray& raw : file.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw);
        const QString trimmed = line.trimmed();
        if (IsGroupHeader(trimmed)) {
            inGroup = trimmed.mid(1, trimmed.size() - 2) == kGroup;
            continue;
        }
        QString value;
        if (inGroup && KeyOf(line, &value) == mimeType)
            return FirstId(value);
    }
    return {};
}

} // namespace

QStringList MimeAppsLists(const XdgFolders& folders) {
    QStringList lists;
    auto add = [&](const QString& dir) {
        for (const QString& desktop : folders.desktops)
            lists << dir + QLatin1Char('/') + desktop + QStringLiteral("-mimeapps.list");
        lists << dir + QStringLiteral("/mimeapps.list");
    };
    add(folders.configHome);
    for (const QString& dir : folders.configDirs)
        add(dir);
    add(folders.dataHome + QStringLiteral("/applications"));
    for (const QString& dir : folders.dataDirs)
        add(dir + QStringLiteral("/applications"));
    return lists;
}

QString DefaultApplication(const XdgFolders& folders, const QString& mimeType) {
    for (const QString& list : MimeAppsLists(folders))
        if (const QString id = DefaultIn(list, mimeType); !id.isEmpty())
            return id;
    return {};
}

bool SetDefaultApplication(const XdgFolders& folders, const QString& mimeType,
                           const QString& desktopId) {
    QString path = UserList(folders);
    // A list kept elsewhere and linked here is changed where it lives.
    if (const QFileInfo info(path); info.isSymLink() && info.exists())
        path = info.canonicalFilePath();
    QStringList lines;
    if (QFile file(path); file.exists()) {
        if (!file.open(QIODevice::ReadOnly))
            return false;
        lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
        // The text ended with a line break: no extra empty line.
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
    }
    const QString entry = mimeType + QLatin1Char('=') + desktopId + QLatin1Char(';');
    qsizetype header = -1;
    qsizetype existing = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString trimmed = lines[i].trimmed();
        if (IsGroupHeader(trimmed)) {
            if (header >= 0)
                break;
            if (trimmed.mid(1, trimmed.size() - 2) == kGroup)
                header = i;
            continue;
        }
        if (header >= 0 && KeyOf(lines[i]) == mimeType) {
            existing = i;
            break;
        }
    }
    if (existing >= 0) {
        lines[existing] = entry;
    } else if (header >= 0) {
        lines.insert(header + 1, entry);
    } else {
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
            lines << QString();
        lines << QLatin1Char('[') + kGroup + QLatin1Char(']') << entry;
    }
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    out.write((lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
    return out.commit();
}
