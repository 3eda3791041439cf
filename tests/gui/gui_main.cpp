// The GUI tests run the real program on the offscreen platform, with the
// settings in a temporary folder.

#include "support/qt_test_main.h"

#include <QTemporaryDir>

int main(int argc, char** argv) {
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    return RunTestsInQtApplication(argc, argv, settings.path());
}
