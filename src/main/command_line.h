#pragma once
// The desktop program's command line, read before any window or display is
// needed: --help and --version are answered at once, an option the program
// does not know is refused, and everything else becomes the arguments the
// application reads at start-up.

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

struct DesktopCommandLine {
    enum Action { Start, ShowHelp, ShowVersion, Refuse };
    Action action = Start;
    // ShowHelp, ShowVersion: the text for stdout. Refuse: the reason in one
    // line, then the help, for stderr.
    QString text;
    // Start: the request in the form the application reads it: the options,
    // then "--" and the files.
    std::vector<std::string> arguments;
};

// args begins with the program's name. Qt's own options (-platform, -style,
// ...) are accepted and left to QApplication.
DesktopCommandLine ParseDesktopCommandLine(const QStringList& args);
