#pragma once
// The files the desktop learns the program from: the desktop entry, the MIME
// package of the document type and the icons in the sizes of the hicolor
// theme. Start-up writes them into the user's data folder; the install puts
// the same files into the prefix.

#include "platform/docview/shell_file_type.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>

struct BitmapResource;

// The names the desktop knows the program and its document type by.
struct ShellNames {
    QString appId;    // "quirl32": the desktop entry's and the icon's name
    QString mimeType; // "application/x-quirl32"
    QString mimeIcon; // "application-x-quirl32"
    QString glob;     // "*.qrl"
    QString desktopFile() const { return appId + QStringLiteral(".desktop"); }
};
ShellNames ShellNamesOf(const ShellFileType& type);

// One argument of a desktop entry's Exec line, quoted when it needs it.
QString QuoteExecArgument(const QString& argument);

// The desktop entry. program is what Exec starts: a name found on the PATH
// or an absolute path, which then also goes into TryExec.
QByteArray DesktopEntry(const ShellFileType& type, const QString& program);

// The shared-mime-info package of the document type; without the glob when
// another type already claims the extension.
QByteArray MimePackage(const ShellFileType& type, bool withGlob);

// The icon sizes written into the hicolor theme.
const QList<int>& ShellIconSizes();
// An icon resource drawn at size x size: whole pixels scaled up, then smoothed
// down to the size.
QImage ShellIcon(const BitmapResource& icon, int size);
// The icon as PNG bytes; empty when there is no such icon.
QByteArray ShellIconPng(UINT nIconId, int size);
