#include "platform/qt/windows/rubber_band.h"

#include "platform/qt/host/idle_pump.h"

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

#include <algorithm>

SolidRubberBand::SolidRubberBand(QWidget* parent) : QRubberBand(QRubberBand::Rectangle, parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void SolidRubberBand::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

namespace {

// Watches every event of the application while the band is dragged.
class Tracker : public QObject {
public:
    Tracker(QWidget* widget, QPoint start) : m_widget(widget), m_start(start), m_end(start) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        // No command runs from a shortcut while the band is dragged.
        if (event->type() == QEvent::Shortcut)
            return true;
        // Input is taken where it reaches a widget, after Qt has kept its
        // own books at the window.
        if (!watched->isWidgetType())
            return false;
        switch (event->type()) {
        case QEvent::MouseMove: {
            Move(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
            return true;
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::RightButton)
                Finish(false);
            return true;
        case QEvent::MouseButtonRelease: {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton && !m_finished) {
                Move(mouse->globalPosition().toPoint());
                Finish(true);
            }
            return true;
        }
        case QEvent::KeyPress:
            if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
                Finish(false);
            return true;
        case QEvent::KeyRelease:
        case QEvent::Wheel:
            return true;
        case QEvent::WindowDeactivate:
        case QEvent::ApplicationDeactivate:
            // Losing the pointer ends the drag as Esc does.
            Finish(false);
            return false;
        default:
            return false;
        }
    }

    void Run() {
        if (m_widget == nullptr)
            return;
        m_band = new SolidRubberBand(m_widget);
        m_band->setGeometry(QRect(m_start, QSize(1, 1)));
        m_widget->grabMouse();
        m_widget->grabKeyboard();
        qApp->installEventFilter(this);
        m_loop.exec();
        qApp->removeEventFilter(this);
        if (m_widget != nullptr) {
            m_widget->releaseKeyboard();
            m_widget->releaseMouse();
        }
        delete m_band;
    }

    bool Accepted() const { return m_accepted; }
    QPoint Start() const { return m_start; }
    QPoint End() const { return m_end; }

private:
    void Move(QPoint global) {
        if (m_widget == nullptr)
            return;
        m_end = m_widget->mapFromGlobal(global);
        if (m_band != nullptr) {
            m_band->setGeometry(
                QRect(QPoint(std::min(m_start.x(), m_end.x()), std::min(m_start.y(), m_end.y())),
                      QPoint(std::max(m_start.x(), m_end.x()), std::max(m_start.y(), m_end.y()))));
            m_band->show();
        }
    }

    // The first end counts: a release after Esc does not accept the band.
    void Finish(bool accepted) {
        if (m_finished)
            return;
        m_finished = true;
        m_accepted = accepted;
        m_loop.quit();
    }

    QPointer<QWidget> m_widget;
    QPointer<SolidRubberBand> m_band;
    QPoint m_start;
    QPoint m_end;
    bool m_accepted = false;
    bool m_finished = false;
    QEventLoop m_loop;
};

} // namespace

TrackResult TrackRubberBand(QWidget* widget, QPoint start, bool allowInvert, IdlePump& pump) {
    Tracker tracker(widget, start);
    {
        ModalScope modal(pump);
        tracker.Run();
    }
    TrackResult result;
    // right and bottom are the corner the pointer was released at.
    QRect r;
    r.setCoords(start.x(), start.y(), tracker.End().x(), tracker.End().y());
    if (!allowInvert) {
        if (r.left() > r.right()) {
            const int l = r.left();
            r.setLeft(r.right());
            r.setRight(l);
        }
        if (r.top() > r.bottom()) {
            const int t = r.top();
            r.setTop(r.bottom());
            r.setBottom(t);
        }
    }
    result.rect = r;
    // A click, a line and a cancelled drag make no rectangle.
    result.changed = tracker.Accepted() && r.left() != r.right() && r.top() != r.bottom();
    return result;
}
