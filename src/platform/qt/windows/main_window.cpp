#include "platform/qt/windows/main_window.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QUrl>

MainWindow::MainWindow(CMDIFrameWnd* pFrame) : m_pFrame(pFrame), m_mdiArea(new QMdiArea) {
    setObjectName(QStringLiteral("MainWindow"));
    m_mdiArea->setObjectName(QStringLiteral("MdiArea"));
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdiArea);
    // The bars are shown and hidden from the View menu only.
    setContextMenuPolicy(Qt::PreventContextMenu);
}

void MainWindow::ArrangeIcons() {
    int x = 0;
    int row = 0;
    const QSize area = m_mdiArea->viewport()->size();
    for (QMdiSubWindow* sub : m_mdiArea->subWindowList(QMdiArea::CreationOrder)) {
        if (!sub->isMinimized())
            continue;
        const QSize size = sub->size();
        if (x > 0 && x + size.width() > area.width()) {
            x = 0;
            ++row;
        }
        sub->move(x, area.height() - (row + 1) * size.height());
        x += size.width();
    }
}

int MainWindow::CascadeStep(const QMdiSubWindow* sub) {
    const int top = sub->contentsMargins().top();
    return top > 0 ? top : sub->fontMetrics().height() + 8;
}

bool MainWindow::FitsAt(const QMdiSubWindow* sub, int index) const {
    const QSize area = m_mdiArea->viewport()->size();
    const int offset = index * CascadeStep(sub);
    return offset + sub->width() <= area.width() && offset + sub->height() <= area.height();
}

void MainWindow::Cascade() {
    QList<QMdiSubWindow*> windows;
    // Bottom to top: the active window ends in front, last in the series.
    for (QMdiSubWindow* sub : m_mdiArea->subWindowList(QMdiArea::StackingOrder))
        if (!sub->isHidden() && !sub->isMinimized())
            windows.append(sub);
    int index = 0;
    for (QMdiSubWindow* sub : windows) {
        if (sub->isMaximized())
            sub->showNormal();
        if (index > 0 && !FitsAt(sub, index))
            index = 0;
        const int offset = index * CascadeStep(sub);
        sub->move(offset, offset);
        sub->raise();
        ++index;
    }
}

void MainWindow::PlaceNewWindow(QMdiSubWindow* sub) {
    if (m_nextPlace > 0 && !FitsAt(sub, m_nextPlace))
        m_nextPlace = 0;
    const int offset = m_nextPlace * CascadeStep(sub);
    sub->move(offset, offset);
    ++m_nextPlace;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // The framework closes the documents and then the window.
    event->ignore();
    if (m_pFrame != nullptr)
        emit closeRequested();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!event->mimeData()->hasUrls())
        return;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) {
            event->acceptProposedAction();
            return;
        }
}

void MainWindow::dropEvent(QDropEvent* event) {
    if (!event->mimeData()->hasUrls())
        return;
    event->acceptProposedAction();
    activateWindow();
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            emit fileDropped(url.toLocalFile());
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        emit activated();
}
