#pragma once
// How the recent-file list shows its paths.

#include "platform/framework/types.h"

#include <QString>

// The path shortened to at most maxLength characters by leaving out leading
// folders ("/.../folder/name.qrl"); the file name itself is never cut.
QString AbbreviatePath(const QString& path, int maxLength);

// "&1 /home/me/sets/deep.qrl": number, then the path shortened to 30
// characters, with ampersands doubled so that they show.
QString RecentFileMenuText(int index, const CString& path);
