#pragma once
// The main function of the test programs that need a QApplication: the
// offscreen platform unless another is asked for, the program's own names,
// and the settings in a folder of the test's.

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QString>
#include <gtest/gtest.h>

inline int RunTestsInQtApplication(int argc, char** argv, const QString& settingsFolder) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication qapp(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Quirl32"));
    QApplication::setApplicationName(QStringLiteral("Quirl32"));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsFolder);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsFolder);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
