// The desktop program: the system on the Qt backend.

#include "app/quirl32_app.h"
#include "main/command_line.h"
#include "platform/qt/host/desktop_host.h"
#include "platform/qt/printing/snapshot.h"

#include <QApplication>

#include <cstdio>
#include <memory>

int main(int argc, char** argv) {
    // --help, --version and mistakes are answered before anything needs a
    // display.
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    const DesktopCommandLine line = ParseDesktopCommandLine(args);
    switch (line.action) {
    case DesktopCommandLine::ShowHelp:
    case DesktopCommandLine::ShowVersion:
        std::fputs(line.text.toLocal8Bit().constData(), stdout);
        return 0;
    case DesktopCommandLine::Refuse:
        std::fputs(line.text.toLocal8Bit().constData(), stderr);
        return 2;
    case DesktopCommandLine::Start:
        break;
    }

    QApplication qapp(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Quirl32"));
    QApplication::setApplicationName(QStringLiteral("Quirl32"));

    DesktopHost host;
    AfxSetHost(&host);
    std::unique_ptr<SnapshotHook> snapshot;
    if (const QString path = qEnvironmentVariable("QUIRL32_SNAPSHOT"); !path.isEmpty())
        snapshot = std::make_unique<SnapshotHook>(host, path);

    CQuirl32App app;
    for (const std::string& arg : line.arguments)
        app.m_commandLine.push_back(arg);
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
