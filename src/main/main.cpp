// The desktop program: the system on the Qt backend.

#include "app/quirl32_app.h"
#include "platform/qt/desktop_host.h"
#include "platform/qt/snapshot.h"

#include <QApplication>

#include <memory>

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Quirl32"));
    QApplication::setApplicationName(QStringLiteral("Quirl32"));

    DesktopHost host;
    AfxSetHost(&host);
    std::unique_ptr<SnapshotHook> snapshot;
    if (const QString path = qEnvironmentVariable("QUIRL32_SNAPSHOT"); !path.isEmpty())
        snapshot = std::make_unique<SnapshotHook>(host, path);

    CQuirl32App app;
    for (const QString& arg : QApplication::arguments().mid(1))
        app.m_commandLine.push_back(arg.toStdString());
    // Files named on the command line go to the program that is running
    // already; without one, this program starts as always and opens (or
    // prints) them as well.
    CCommandLineInfo request;
    app.ParseCommandLine(request);
    if (host.ForwardToRunningProgram(request))
        return 0;
    int code = 1;
    if (app.InitInstance()) {
        host.Submit(request);
        code = app.Run();
        // A later start finds nobody to take its request and opens itself.
        host.Server().Close();
    }
    // The set windows closed with the loop; the main window goes now, while
    // the backend is still there.
    delete app.m_pMainWnd;
    app.m_pMainWnd = nullptr;
    snapshot.reset();
    return code;
}
