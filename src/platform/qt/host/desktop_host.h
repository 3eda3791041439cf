#pragma once
// The program's backend on the desktop: the Qt backend, plus the desktop's
// shell. The program registers its document type with the desktop at every
// start, and the first program of a user answers the open and print
// requests of later starts, which pass them on and end.

#include "platform/qt/host/qt_host.h"
#include "platform/qt/shell/instance_channel.h"
#include "platform/qt/shell/shell_requests.h"

class DesktopHost : public QtHost {
    Q_OBJECT
public:
    DesktopHost();
    ~DesktopHost() override;

    // The command line's open or print request, with absolute paths, to the
    // program that already answers for this user. True when it took it and
    // this start has nothing more to do.
    bool ForwardToRunningProgram(const CCommandLineInfo& request);
    // Carries the command line's request out in this program, once its
    // message loop runs.
    void Submit(const CCommandLineInfo& request);

    void EnableShellOpen() override;
    void RegisterShellFileTypes(const ShellFileType& type) override;
    BOOL RunPrintJob(CView* pView, CPrintInfo& info) override;

    InstanceServer& Server() { return m_server; }
    ShellRequests& Requests() { return m_requests; }

private:
    QString SocketName() const;

    InstanceServer m_server;
    ShellRequests m_requests;
};

// The request with every file as an absolute path.
CCommandLineInfo AbsoluteShellRequest(const CCommandLineInfo& request);
