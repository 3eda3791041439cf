#include "platform/qt/printing/snapshot.h"

#include "platform/framework/frame.h"
#include "platform/framework/std_ids.h"
#include "platform/qt/host/qt_host.h"
#include "platform/qt/windows/child_window.h"
#include "platform/qt/windows/main_window.h"
#include "platform/qt/windows/view_widget.h"

#include <QCoreApplication>
#include <QPixmap>
#include <QPointer>
#include <QScreen>
#include <QTimer>

#include <cstdio>

namespace {

// Time for the window system to put the last paint on the screen.
constexpr int kSettleMs = 500;

} // namespace

SnapshotHook::SnapshotHook(QtHost& host, QString path) : m_host(host), m_path(std::move(path)) {
    connect(&m_host, &QtHost::idleDone, this, &SnapshotHook::IdleDone);
}

void SnapshotHook::IdleDone() {
    if (m_taken)
        return;
    ChildWindow* child = m_host.ChildWindowOf(m_host.GetActiveChildFrame());
    if (child == nullptr || child->View() == nullptr)
        return;
    m_taken = true;
    child->View()->update();
    QTimer::singleShot(kSettleMs, this, &SnapshotHook::Grab);
}

void SnapshotHook::Grab() {
    ChildWindow* child = m_host.ChildWindowOf(m_host.GetActiveChildFrame());
    ViewWidget* view = child != nullptr ? child->View() : nullptr;
    int code = 1;
    if (view != nullptr) {
        view->repaint();
        QCoreApplication::processEvents();
        const QSize size = view->ClientSize();
        QPixmap picture;
        const char* source = "screen";
        // What the screen shows; the widget's own rendering where there is
        // no screen to read.
        if (QScreen* screen = view->screen()) {
            const QPoint origin = view->mapToGlobal(QPoint(0, 0));
            picture = screen->grabWindow(0, origin.x(), origin.y(), size.width(), size.height());
        }
        if (picture.isNull() || picture.size() != size) {
            picture = view->grab();
            source = "widget";
        }
        if (picture.toImage().convertToFormat(QImage::Format_RGB32).save(m_path, "PNG")) {
            std::printf("snapshot %dx%d %s %s\n", size.width(), size.height(),
                        m_path.toLocal8Bit().constData(), source);
            std::fflush(stdout);
            code = 0;
        }
    }
    // The whole main window beside it, as a person sees the program.
    if (QWidget* main = m_host.Main(); code == 0 && main != nullptr) {
        QString whole = m_path;
        whole.insert(whole.endsWith(QStringLiteral(".png")) ? whole.size() - 4 : whole.size(),
                     QStringLiteral("_main"));
        const QRect frame = main->frameGeometry();
        QPixmap picture;
        if (QScreen* screen = main->screen())
            picture = screen->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
        if (picture.isNull())
            picture = main->grab();
        picture.save(whole, "PNG");
    }
    m_host.ExecuteCommand(ID_APP_EXIT);
    QCoreApplication::exit(code);
}
