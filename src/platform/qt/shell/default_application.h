#pragma once
// The desktop's default application for a MIME type, as the mimeapps.list
// files of the user, the desktop and the system name it.

#include "platform/qt/shell/xdg_folders.h"

#include <QString>
#include <QStringList>

// The mimeapps.list files in the order they are asked; the first ones are
// the user's.
QStringList MimeAppsLists(const XdgFolders& folders);

// The desktop id of the default application for the type (the first one the
// first list that names any gives), or "" when none does.
QString DefaultApplication(const XdgFolders& folders, const QString& mimeType);

// Makes desktopId the default for the type in the user's own mimeapps.list,
// leaving everything else in the file as it was. False when the file cannot
// be written.
bool SetDefaultApplication(const XdgFolders& folders, const QString& mimeType,
                           const QString& desktopId);
