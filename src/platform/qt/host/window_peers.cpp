#include "platform/qt/host/window_peers.h"

#include "platform/docview/view.h"
#include "platform/framework/dialog.h"
#include "platform/framework/frame.h"
#include "platform/qt/dialogs/help_window.h"
#include "platform/qt/dialogs/template_dialog.h"
#include "platform/qt/host/posted_message.h"
#include "platform/qt/host/qt_host.h"
#include "platform/qt/host/qt_text.h"
#include "platform/qt/windows/child_window.h"
#include "platform/qt/windows/main_window.h"
#include "platform/qt/windows/view_widget.h"

#include <QCoreApplication>
#include <QMdiArea>

namespace {

constexpr int SW_HIDE = 0;
constexpr int SW_SHOWMINIMIZED = 2;
constexpr int SW_SHOWMAXIMIZED = 3;
constexpr int SW_MINIMIZE = 6;
constexpr int SW_RESTORE = 9;

void ShowWidget(QWidget* w, int nCmdShow) {
    if (w == nullptr)
        return;
    switch (nCmdShow) {
    case SW_HIDE:
        w->hide();
        break;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
        w->showMinimized();
        break;
    case SW_SHOWMAXIMIZED:
        w->showMaximized();
        break;
    case SW_RESTORE:
        w->showNormal();
        break;
    default:
        w->show();
        break;
    }
}

CSize SizeOf(const QSize& size) {
    return CSize{size.width(), size.height()};
}

} // namespace

QtWindowPeer::QtWindowPeer(QtHost& host, CWnd* owner) : m_host(&host), m_owner(owner) {}

QtHost* QtWindowPeer::Host() const {
    return m_host;
}

void QtWindowPeer::Post(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_host)
        QCoreApplication::postEvent(m_host, new PostedMessageEvent(this, message, wParam, lParam));
}

// ---------------------------------------------------------------- main window

MainWindowPeer::MainWindowPeer(QtHost& host, CMDIFrameWnd* owner, MainWindow* window)
    : QtWindowPeer(host, owner), m_window(window) {}

MainWindowPeer::~MainWindowPeer() {
    if (m_window) {
        // The set windows go with it; until Qt deletes them, they call
        // nothing.
        for (ChildWindow* child : m_window->findChildren<ChildWindow*>())
            child->Detach();
        m_window->Detach();
        m_window->hide();
        m_window->deleteLater();
    }
    if (QtHost* host = Host(); host != nullptr && host->Help() != nullptr)
        host->Help()->close();
}

void MainWindowPeer::Show(int nCmdShow) {
    ShowWidget(m_window, nCmdShow);
}

void MainWindowPeer::SetText(const CString& text) {
    if (QtHost* host = Host(); host != nullptr && m_window)
        host->SetMainTitle(ToQt(text));
}

CSize MainWindowPeer::ClientSize() const {
    return m_window ? SizeOf(m_window->size()) : CSize{};
}

void MainWindowPeer::Invalidate() {
    if (m_window)
        m_window->update();
}

void MainWindowPeer::DragAcceptFiles(bool accept) {
    if (m_window)
        m_window->setAcceptDrops(accept);
}

// ---------------------------------------------------------------- set windows

ChildWindowPeer::ChildWindowPeer(QtHost& host, CMDIChildWnd* owner, ChildWindow* window)
    : QtWindowPeer(host, owner), m_window(window) {}

ChildWindow* ChildWindowPeer::Window() const {
    return m_window;
}

ChildWindowPeer::~ChildWindowPeer() {
    if (!m_window)
        return;
    m_window->Detach();
    if (QMdiArea* area = m_window->mdiArea())
        area->removeSubWindow(m_window);
    m_window->hide();
    m_window->deleteLater();
}

void ChildWindowPeer::Show(int nCmdShow) {
    ShowWidget(m_window, nCmdShow);
}

void ChildWindowPeer::SetText(const CString& text) {
    if (m_window)
        m_window->setWindowTitle(ToQt(text));
}

CSize ChildWindowPeer::ClientSize() const {
    return m_window ? SizeOf(m_window->contentsRect().size()) : CSize{};
}

void ChildWindowPeer::Invalidate() {
    if (m_window)
        m_window->update();
}

// ---------------------------------------------------------------- views

ViewPeer::ViewPeer(QtHost& host, CView* owner, ViewWidget* widget)
    : QtWindowPeer(host, owner), m_widget(widget) {}

ViewWidget* ViewPeer::Widget() const {
    return m_widget;
}

ViewPeer::~ViewPeer() {
    if (m_widget)
        m_widget->Detach();
}

CSize ViewPeer::ClientSize() const {
    return m_widget ? SizeOf(m_widget->ClientSize()) : CSize{};
}

Surface* ViewPeer::WindowSurface() {
    if (!m_widget)
        return nullptr;
    // Whoever takes the surface may draw on it: show it soon.
    m_widget->MarkChanged();
    if (QtHost* host = Host())
        host->PresentSoon();
    return &m_widget->WindowSurface();
}

void ViewPeer::Invalidate() {
    if (m_widget)
        m_widget->Invalidate();
}

void ViewPeer::Update() {
    if (m_widget)
        m_widget->FlushPaint();
}

// ---------------------------------------------------------------- dialogs

DialogPeer::DialogPeer(QtHost& host, CDialog* owner, TemplateDialog* window)
    : QtWindowPeer(host, owner), m_window(window) {}

TemplateDialog* DialogPeer::Window() const {
    return m_window;
}

void DialogPeer::SetText(const CString& text) {
    if (m_window)
        m_window->setWindowTitle(ToQt(text));
}

CSize DialogPeer::ClientSize() const {
    return m_window ? SizeOf(m_window->size()) : CSize{};
}
