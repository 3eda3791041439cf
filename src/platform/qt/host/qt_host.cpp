#include "platform/qt/host/qt_host.h"

#include "platform/docview/winapp.h"
#include "platform/qt/dialogs/help_window.h"
#include "platform/qt/host/guarded_call.h"
#include "platform/qt/host/posted_message.h"
#include "platform/qt/printing/print_support.h"
#include "platform/qt/windows/child_window.h"
#include "platform/qt/windows/lock_keys.h"
#include "platform/qt/windows/main_window.h"
#include "platform/qt/windows/menu_set.h"
#include "platform/qt/windows/status_bar.h"
#include "platform/qt/windows/tool_bar.h"
#include "platform/qt/windows/view_widget.h"

#include <QApplication>
#include <QTimer>

namespace {

// Drawing done through a window's context shows at most this late.
constexpr int kPresentIntervalMs = 30;
// The lock keys are a question to the window system: not more often.
constexpr qint64 kLockKeysIntervalMs = 200;

} // namespace

QtHost::QtHost() {
    const CommandUi ui{[this](UINT id) { ExecuteCommand(id); },
                       [this](UINT id, CCmdUI& state) { UpdateCommandState(id, state); }};
    m_menus = std::make_unique<MenuSet>(ui);
    m_print = std::make_unique<PrintSupport>(m_pump);
    m_pump.beforeIdle = [this] { FlushPaints(); };
    m_pump.afterIdle = [this](bool more) {
        if (!more && onIdleDone)
            onIdleDone();
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
    for (auto& [view, widget] : m_views)
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

Surface* QtHost::GetWindowSurface(CWnd* pWnd) {
    ViewWidget* view = ViewWidgetOf(pWnd);
    if (view == nullptr)
        return nullptr;
    // Whoever takes the surface may draw on it: show it soon.
    view->MarkChanged();
    if (!m_presentScheduled) {
        m_presentScheduled = true;
        QTimer::singleShot(kPresentIntervalMs, this, [this] {
            m_presentScheduled = false;
            PresentChangedViews();
        });
    }
    return &view->WindowSurface();
}

void QtHost::PresentChangedViews() {
    for (auto& [pView, widget] : m_views)
        if (widget->TakeChanged())
            widget->update();
}

void QtHost::FlushPaints() {
    std::vector<ViewWidget*> due;
    for (auto& [pView, widget] : m_views)
        if (widget->NeedsPaint() && widget->isVisible())
            due.push_back(widget);
    for (ViewWidget* widget : due)
        widget->FlushPaint();
}

void QtHost::Invalidate(CWnd* pWnd) {
    if (ViewWidget* view = ViewWidgetOf(pWnd))
        view->Invalidate();
    else if (ChildWindow* child = ChildWindowOf(pWnd))
        child->update();
    else if (pWnd == m_pMainFrame && m_main)
        m_main->update();
}

void QtHost::UpdateWindow(CWnd* pWnd) {
    if (ViewWidget* view = ViewWidgetOf(pWnd))
        view->FlushPaint();
}

void QtHost::PostMessage(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    QCoreApplication::postEvent(this, new PostedMessageEvent(pWnd, message, wParam, lParam));
}

bool QtHost::event(QEvent* event) {
    if (event->type() != PostedMessageEvent::Type())
        return QObject::event(event);
    auto* posted = static_cast<PostedMessageEvent*>(event);
    // A window closed since the message was posted gets nothing.
    if (IsLive(posted->m_pWnd))
        GuardedCall([posted] {
            posted->m_pWnd->SendMessage(posted->m_message, posted->m_wParam, posted->m_lParam);
        });
    m_pump.Restart();
    return true;
}

ViewWidget* QtHost::ViewWidgetOf(const CWnd* pView) const {
    const auto it = m_views.find(pView);
    return it == m_views.end() ? nullptr : it->second;
}

ChildWindow* QtHost::ChildWindowOf(const CWnd* pFrame) const {
    const auto it = m_children.find(pFrame);
    return it == m_children.end() ? nullptr : it->second;
}

TemplateDialog* QtHost::DialogOf(const CDialog& dialog) const {
    const auto it = m_dialogs.find(&dialog);
    return it == m_dialogs.end() ? nullptr : it->second;
}

int QtHost::RunMessageLoop(CWinApp&) {
    m_pump.Restart();
    return QApplication::exec();
}

void QtHost::Quit(int exitCode) {
    QCoreApplication::exit(exitCode);
}
