#include "platform/qt/child_window.h"

#include "platform/qt/view_widget.h"

#include <QCloseEvent>

ChildWindow::ChildWindow(CMDIChildWnd* pFrame, ViewWidget* view) : m_pFrame(pFrame), m_view(view) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    setWidget(view);
    connect(this, &QMdiSubWindow::windowStateChanged, this,
            [this](Qt::WindowStates, Qt::WindowStates state) {
                if (m_view != nullptr)
                    m_view->SetWindowState(state);
            });
}

void ChildWindow::Detach() {
    m_pFrame = nullptr;
    if (m_view != nullptr)
        m_view->Detach();
}

void ChildWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (m_pFrame != nullptr && onCloseRequest)
        onCloseRequest(this);
}
