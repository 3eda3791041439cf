// The shell tests: the framework's side on the headless backend, the
// desktop files and the channel in this process, and the real program
// started as separate processes. Everything the desktop would keep lives in
// temporary folders.

#include "support/qt_test_main.h"

#include <QTemporaryDir>

int main(int argc, char** argv) {
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toLocal8Bit());
    qputenv("XDG_DATA_HOME", (home.path() + "/data").toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", home.path().toLocal8Bit());
    return RunTestsInQtApplication(argc, argv, home.path());
}
