#include "platform/qt/host/qt_host.h"

#include "platform/docview/winapp.h"
#include "platform/framework/dialog.h"
#include "platform/framework/frame.h"
#include "platform/qt/dialogs/help_window.h"
#include "platform/qt/host/guarded_call.h"
#include "platform/qt/host/posted_message.h"
#include "platform/qt/host/window_peers.h"
#include "platform/qt/printing/print_support.h"
#include "platform/qt/windows/child_window.h"
#include "platform/qt/windows/lock_keys.h"
#include "platform/qt/windows/main_window.h"
#include "platform/qt/windows/menu_set.h"
#include "platform/qt/windows/status_bar.h"
#include "platform/qt/windows/tool_bar.h"
#include "platform/qt/windows/view_widget.h"

#include <QApplication>
#include <QMenu>
#include <QTimer>

namespace {

// Drawing done through a window's context shows at most this late.
constexpr int kPresentIntervalMs = 30;
// The lock keys are a question to the window system: not more often.
constexpr qint64 kLockKeysIntervalMs = 200;

} // namespace

QtHost::QtHost() {
    m_menus = std::make_unique<MenuSet>(
        [this](UINT id, CCmdUI& state) { UpdateCommandState(id, state); });
    connect(m_menus.get(), &MenuSet::commandChosen, this, &QtHost::ExecuteCommand);
    connect(m_menus.get(), &MenuSet::windowMenuShown, this, &QtHost::ShowWindowList);
    m_print = std::make_unique<PrintSupport>(m_pump);
    m_pump.beforeIdle = [this] { FlushPaints(); };
    m_pump.afterIdle = [this](bool more) {
        if (!more)
            emit idleDone();
    };
}

QtHost::~QtHost() {
    delete m_help;
    delete m_main;
}

MainWindow* QtHost::Main() const {
    return m_main;
}
ToolBar* QtHost::Tools() const {
    return m_toolBar;
}
StatusBar* QtHost::Status() const {
    return m_statusBar;
}
HelpWindow* QtHost::Help() const {
    return m_help;
}
PrintSupport& QtHost::Printing() {
    return *m_print;
}

// ---------------------------------------------------------------- commands

void QtHost::ExecuteCommand(UINT id) {
    GuardedCall([id] {
        if (CWinApp* app = AfxGetApp())
            app->ExecuteCommand(id);
    });
    // A command may change colours: show every view as it now stands.
    for (ViewWidget* widget : Views())
        widget->update();
    m_pump.Restart();
}

void QtHost::UpdateCommandState(UINT id, CCmdUI& ui) {
    GuardedCall([&] {
        if (CWinApp* app = AfxGetApp())
            app->UpdateCommandUI(id, ui);
    });
}

void QtHost::UpdateToolBarStates() {
    if (m_toolBar)
        m_toolBar->UpdateStates();
    // The lock keys are a question to the window system: not more often
    // than a few times a second.
    if (m_statusBar &&
        (!m_lockKeysRead.isValid() || m_lockKeysRead.elapsed() >= kLockKeysIntervalMs)) {
        m_lockKeysRead.start();
        m_statusBar->UpdateIndicators(ReadLockKeys());
    }
}

void QtHost::PresentSoon() {
    if (m_presentScheduled)
        return;
    m_presentScheduled = true;
    QTimer::singleShot(kPresentIntervalMs, this, [this] {
        m_presentScheduled = false;
        PresentChangedViews();
    });
}

QList<ViewWidget*> QtHost::Views() const {
    return m_main ? m_main->findChildren<ViewWidget*>() : QList<ViewWidget*>();
}

CMDIFrameWnd* QtHost::MainFrame() const {
    CMDIFrameWnd* frame = m_main ? m_main->Frame() : nullptr;
    return frame != nullptr && frame->Peer() != nullptr ? frame : nullptr;
}

CMDIChildWnd* QtHost::FrameOf(const ChildWindow* child) const {
    CMDIChildWnd* frame = child != nullptr ? child->Frame() : nullptr;
    return frame != nullptr && ChildWindowOf(frame) == child ? frame : nullptr;
}

void QtHost::PresentChangedViews() {
    for (ViewWidget* widget : Views())
        if (widget->TakeChanged())
            widget->update();
}

void QtHost::FlushPaints() {
    // A paint may close windows: each widget is checked again before its turn.
    QList<QPointer<ViewWidget>> due;
    for (ViewWidget* widget : Views())
        if (widget->NeedsPaint() && widget->isVisible())
            due.push_back(widget);
    for (const QPointer<ViewWidget>& widget : due)
        if (widget)
            widget->FlushPaint();
}

bool QtHost::event(QEvent* event) {
    if (event->type() != PostedMessageEvent::Type())
        return QObject::event(event);
    auto* posted = static_cast<PostedMessageEvent*>(event);
    // A window closed since the message was posted gets nothing.
    if (QtWindowPeer* peer = posted->m_peer)
        GuardedCall([posted, peer] {
            peer->Owner()->SendMessage(posted->m_message, posted->m_wParam, posted->m_lParam);
        });
    m_pump.Restart();
    return true;
}

ViewWidget* QtHost::ViewWidgetOf(const CWnd* pView) const {
    const auto* peer = pView != nullptr ? dynamic_cast<const ViewPeer*>(pView->Peer()) : nullptr;
    return peer != nullptr ? peer->Widget() : nullptr;
}

ChildWindow* QtHost::ChildWindowOf(const CWnd* pFrame) const {
    const auto* peer =
        pFrame != nullptr ? dynamic_cast<const ChildWindowPeer*>(pFrame->Peer()) : nullptr;
    return peer != nullptr ? peer->Window() : nullptr;
}

CSize QtHost::GetClientSize(const CWnd* pWnd) const {
    const WindowPeer* peer = pWnd != nullptr ? pWnd->Peer() : nullptr;
    return peer != nullptr ? peer->ClientSize() : CSize{};
}

TemplateDialog* QtHost::DialogOf(const CDialog& dialog) const {
    const auto* peer = dynamic_cast<const DialogPeer*>(dialog.Peer());
    return peer != nullptr ? peer->Window() : nullptr;
}

int QtHost::RunMessageLoop(CWinApp&) {
    m_pump.Restart();
    return QApplication::exec();
}

void QtHost::Quit(int exitCode) {
    QCoreApplication::exit(exitCode);
}
