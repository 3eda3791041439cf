// The desktop program: the system on the Qt backend.

#include "app/quirl32_app.h"
#include "platform/qt/qt_host.h"
#include "platform/qt/snapshot.h"

#include <QApplication>

#include <memory>

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Quirl32"));
    QApplication::setApplicationName(QStringLiteral("Quirl32"));

    QtHost host;
    AfxSetHost(&host);
    std::unique_ptr<SnapshotHook> snapshot;
    if (const QString path = qEnvironmentVariable("QUIRL32_SNAPSHOT"); !path.isEmpty())
        snapshot = std::make_unique<SnapshotHook>(host, path);

    CQuirl32App app;
    for (const QString& arg : QApplication::arguments().mid(1))
        app.m_commandLine.push_back(arg.toStdString());
    const int code = app.InitInstance() ? app.Run() : 1;
    // The set windows closed with the loop; the main window goes now, while
    // the backend is still there.
    delete app.m_pMainWnd;
    app.m_pMainWnd = nullptr;
    snapshot.reset();
    return code;
}
