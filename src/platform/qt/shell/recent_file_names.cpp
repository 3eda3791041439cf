#include "platform/qt/shell/recent_file_names.h"

#include <QDir>

QString AbbreviatePath(const QString& path, int maxLength) {
    if (path.size() <= maxLength)
        return path;
    const QString native = QDir::toNativeSeparators(path);
    const QChar sep = QDir::separator();
    QStringList parts = native.split(sep);
    const QString name = parts.takeLast();
    const QString root = native.startsWith(sep) ? QString(sep) : QString();
    if (!root.isEmpty() && !parts.isEmpty() && parts.first().isEmpty())
        parts.removeFirst();
    // Keep as many trailing folders as fit after "/.../".
    const QString lead = root + QStringLiteral("...") + sep;
    QString tail = name;
    for (int i = int(parts.size()) - 1; i >= 0; --i) {
        const QString longer = parts[i] + sep + tail;
        if (lead.size() + longer.size() > maxLength)
            break;
        tail = longer;
    }
    const QString shortened = lead + tail;
    return shortened.size() <= maxLength ? shortened : name;
}

QString RecentFileMenuText(int index, const CString& path) {
    QString shown = AbbreviatePath(QString::fromStdString(path), 30);
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(shown);
}
