#include "platform/qt/shell/shell_requests.h"

#include "platform/qt/host/guarded_call.h"
#include "platform/qt/host/qt_host.h"
#include "platform/qt/windows/main_window.h"

namespace {

constexpr int kRetryMs = 200;

} // namespace

ShellRequests::ShellRequests(QtHost& host) : m_host(host) {
    m_retry.setSingleShot(true);
    m_retry.setInterval(kRetryMs);
    connect(&m_retry, &QTimer::timeout, this, [this] {
        RunPending();
        PrintReady();
    });
    m_printWait.setSingleShot(true);
    m_printWait.setInterval(kPrintWaitMs);
    connect(&m_printWait, &QTimer::timeout, this, &ShellRequests::PicturesComputed);
    // The idle loop stops asking for more once every picture is computed.
    m_previousAfterIdle = m_host.Pump().afterIdle;
    m_host.Pump().afterIdle = [this](bool more) {
        if (m_previousAfterIdle)
            m_previousAfterIdle(more);
        if (!more && !m_prints.empty())
            QTimer::singleShot(0, this, &ShellRequests::PicturesComputed);
    };
}

ShellRequests::~ShellRequests() {
    m_host.Pump().afterIdle = m_previousAfterIdle;
}

bool ShellRequests::Busy() const {
    return m_host.Pump().IsSuspended();
}

void ShellRequests::Submit(const CCommandLineInfo& request) {
    if (request.m_files.empty())
        return;
    m_pending.push_back(request);
    QTimer::singleShot(0, this, &ShellRequests::RunPending);
}

void ShellRequests::RaiseMainWindow() {
    if (MainWindow* main = m_host.Main()) {
        main->setWindowState(main->windowState() & ~Qt::WindowMinimized);
        main->raise();
        main->activateWindow();
    }
}

void ShellRequests::RunPending() {
    if (m_pending.empty())
        return;
    if (Busy()) {
        m_retry.start();
        return;
    }
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return;
    RaiseMainWindow();
    while (!m_pending.empty()) {
        const CCommandLineInfo request = std::move(m_pending.front());
        m_pending.pop_front();
        const auto docs =
            GuardedCall([&] { return app->OpenShellFiles(request); }, std::vector<CDocument*>());
        const bool print = request.m_nShellCommand == CCommandLineInfo::FilePrint ||
                           request.m_nShellCommand == CCommandLineInfo::FilePrintTo;
        if (print)
            for (CDocument* doc : docs)
                m_prints.push_back({doc, request});
        // A message box about a file that would not open may have started a
        // modal loop of its own; the rest waits until it is over.
        if (Busy() && !m_pending.empty()) {
            m_retry.start();
            break;
        }
    }
    if (!m_prints.empty() && !m_printWait.isActive()) {
        m_printsReady = false;
        m_printWait.start();
    }
    m_host.Pump().Restart();
}

void ShellRequests::PicturesComputed() {
    m_printsReady = true;
    PrintReady();
}

void ShellRequests::PrintReady() {
    if (!m_printsReady || m_prints.empty())
        return;
    if (Busy()) {
        m_retry.start();
        return;
    }
    m_printWait.stop();
    m_printsReady = false;
    CWinApp* app = AfxGetApp();
    while (!m_prints.empty() && app != nullptr) {
        const PrintJob job = std::move(m_prints.front());
        m_prints.pop_front();
        // The user may have closed the window meanwhile.
        if (app->IsDocumentOpen(job.pDoc))
            GuardedCall([&] { app->PrintShellDocument(job.pDoc, job.request); });
    }
    m_host.Pump().Restart();
}
