#pragma once
// A hook for checking the program from outside: once the first set window
// has finished its first picture, its client area is grabbed from the
// screen into a PNG file, the whole main window into the same name with
// "_main" added, and the program ends (exit code 0, or 1 when the picture
// cannot be written).

#include <QObject>
#include <QString>

class QtHost;

class SnapshotHook : public QObject {
    Q_OBJECT
public:
    SnapshotHook(QtHost& host, QString path);

private:
    void IdleDone();
    void Grab();

    QtHost& m_host;
    QString m_path;
    bool m_taken = false;
};
