#pragma once
// Registration of the program and its document type with the desktop, at
// every start, in the user's own folders: the desktop entry, the MIME package,
// the icons, and the default application for the type when no other program
// has it. The desktop's caches are refreshed by their tools when those exist.
// Failures are silent: a start never depends on them.

#include "platform/docview/shell_file_type.h"
#include "platform/qt/shell/xdg_folders.h"

#include <QString>
#include <QStringList>

#include <functional>

// Starts a desktop tool (update-mime-database, update-desktop-database) with
// its arguments; whether and how it waits is the runner's business.
using ShellToolRunner = std::function<void(const QString& tool, const QStringList& arguments)>;

// Starts tools that are on the PATH in the background, their output
// discarded; tools that are not there are skipped.
ShellToolRunner DetachedShellTools();

struct ShellRegistration {
    bool filesChanged = false; // some file was written anew
    bool tookDefault = false;  // the type's default application was set to us
};

// program: the absolute path of the executable, what the desktop starts.
ShellRegistration RegisterShellFileType(const ShellFileType& type, const QString& program,
                                        const XdgFolders& folders, const ShellToolRunner& tools);

// Whether a MIME type other than ours claims the glob in one of the desktop's
// MIME databases (their globs2 files).
bool GlobClaimedByOtherType(const XdgFolders& folders, const QString& glob, const QString& ourType);
