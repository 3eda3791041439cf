#pragma once
// Carries out the shell's open and print requests in the running program:
// each file opens in a set window; a print request prints each one directly
// once its picture is computed. A request that arrives while a dialog or a
// menu is open waits until it closes.

#include "platform/docview/winapp.h"

#include <QObject>
#include <QTimer>

#include <deque>
#include <functional>

class QtHost;

class ShellRequests : public QObject {
    Q_OBJECT
public:
    // How long a print request waits for the pictures at most.
    static constexpr int kPrintWaitMs = 30000;

    explicit ShellRequests(QtHost& host);
    ~ShellRequests() override;

    // Queued; runs from the event loop.
    void Submit(const CCommandLineInfo& request);
    bool IsIdle() const { return m_pending.empty() && m_prints.empty(); }

private:
    struct PrintJob {
        CDocument* pDoc;
        CCommandLineInfo request;
    };

    void RunPending();
    void PicturesComputed();
    void PrintReady();
    bool Busy() const;
    void RaiseMainWindow();

    QtHost& m_host;
    std::function<void(bool)> m_previousAfterIdle;
    std::deque<CCommandLineInfo> m_pending;
    std::deque<PrintJob> m_prints;
    QTimer m_retry;     // while a dialog or menu is open
    QTimer m_printWait; // the longest a print waits for its picture
    bool m_printsReady = false;
};
