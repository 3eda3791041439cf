#include "platform/qt/host/desktop_host.h"

#include "platform/framework/msgbox.h"
#include "platform/qt/shell/shell_registration.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPrinterInfo>

namespace {

bool IsShellRequest(const CCommandLineInfo& request) {
    switch (request.m_nShellCommand) {
    case CCommandLineInfo::FileOpen:
    case CCommandLineInfo::FilePrint:
    case CCommandLineInfo::FilePrintTo:
        return !request.m_files.empty();
    default:
        return false;
    }
}

} // namespace

CCommandLineInfo AbsoluteShellRequest(const CCommandLineInfo& request) {
    CCommandLineInfo absolute = request;
    for (CString& file : absolute.m_files)
        file = QFileInfo(QString::fromStdString(file)).absoluteFilePath().toStdString();
    absolute.m_strFileName = absolute.m_files.empty() ? CString() : absolute.m_files.front();
    return absolute;
}

DesktopHost::DesktopHost() : m_requests(*this) {
    m_server.onRequest = [this](const CCommandLineInfo& request) { m_requests.Submit(request); };
}

DesktopHost::~DesktopHost() = default;

QString DesktopHost::SocketName() const {
    const CWinApp* app = AfxGetApp();
    const QString name = app != nullptr ? QString::fromStdString(app->m_pszAppName) : QString();
    return InstanceSocketName(name.isEmpty() ? QStringLiteral("quirl32") : name.toLower());
}

bool DesktopHost::ForwardToRunningProgram(const CCommandLineInfo& request) {
    if (!IsShellRequest(request))
        return false;
    return ForwardShellRequest(SocketName(), AbsoluteShellRequest(request));
}

void DesktopHost::Submit(const CCommandLineInfo& request) {
    if (IsShellRequest(request))
        m_requests.Submit(AbsoluteShellRequest(request));
}

void DesktopHost::EnableShellOpen() {
    // When another program answers already (started at the same moment, or
    // too busy to take our request in time), this one goes without.
    m_server.Listen(SocketName());
}

void DesktopHost::RegisterShellFileTypes(const ShellFileType& type) {
    RegisterShellFileType(type, QCoreApplication::applicationFilePath(),
                          XdgFolders::FromEnvironment(), DetachedShellTools());
}

BOOL DesktopHost::RunPrintJob(CView* pView, CPrintInfo& info) {
    if (!info.m_bPreview && info.m_strOutputFile.empty()) {
        // For tests: every print goes into this PDF file, without a dialog.
        const QString testFile = qEnvironmentVariable("QUIRL32_TEST_PRINT_PDF");
        if (!testFile.isEmpty())
            info.m_strOutputFile = testFile.toStdString();
    }
    if (info.m_strOutputFile.empty() && !info.m_strPrinterName.empty() &&
        QPrinterInfo::printerInfo(QString::fromStdString(info.m_strPrinterName)).isNull()) {
        AfxMessageBox("The printer \"" + info.m_strPrinterName + "\" is not available.");
        return FALSE;
    }
    return QtHost::RunPrintJob(pView, info);
}
