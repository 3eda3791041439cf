#pragma once
// The user's and the system's data and configuration folders as the
// freedesktop base directory rules name them.

#include <QString>
#include <QStringList>

struct XdgFolders {
    QString dataHome;       // XDG_DATA_HOME, else ~/.local/share
    QString configHome;     // XDG_CONFIG_HOME, else ~/.config
    QStringList dataDirs;   // XDG_DATA_DIRS, else /usr/local/share:/usr/share
    QStringList configDirs; // XDG_CONFIG_DIRS, else /etc/xdg
    // XDG_CURRENT_DESKTOP, lower case: "gnome", "kde", ...
    QStringList desktops;

    static XdgFolders FromEnvironment();
};
