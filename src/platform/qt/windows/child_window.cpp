#include "platform/qt/windows/child_window.h"

#include "platform/qt/windows/view_widget.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>

ChildWindow::ChildWindow(CMDIChildWnd* pFrame, ViewWidget* view) : m_pFrame(pFrame), m_view(view) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    setWidget(view);
    // The window menu shows the keys of its items, but the main window
    // answers them for whichever set window is active (Ctrl+F4 closes it):
    // here they act only while the menu is open.
    if (QMenu* menu = systemMenu())
        for (QAction* action : menu->actions())
            action->setShortcutContext(Qt::WidgetShortcut);
    connect(this, &QMdiSubWindow::windowStateChanged, this,
            [this](Qt::WindowStates, Qt::WindowStates state) {
                if (m_view != nullptr)
                    m_view->SetWindowState(state);
                emit stateChanged();
            });
}

void ChildWindow::Detach() {
    m_pFrame = nullptr;
    if (m_view != nullptr)
        m_view->Detach();
}

void ChildWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (m_pFrame != nullptr)
        emit closeRequested(this);
}
