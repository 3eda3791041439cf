#include "platform/qt/host/idle_pump.h"

#include "platform/docview/winapp.h"
#include "platform/qt/host/guarded_call.h"
#include "platform/qt/host/posted_message.h"
#include "platform/runtime/work_beside.h"

#include <QApplication>
#include <QMouseEvent>

namespace {

// One timer tick runs idle calls for at most this long, so that a
// computation of tiny steps does not pay a trip through the event loop per
// step; events that arrive meanwhile wait no longer than that.
constexpr qint64 kTickBudgetMs = 4;

} // namespace

IdlePump::IdlePump() {
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &IdlePump::Tick);
    qApp->installEventFilter(this);
    AfxSetIdleWaker([this] { Wake(); });
    m_timer.start();
}

IdlePump::~IdlePump() {
    AfxSetIdleWaker(nullptr);
    if (qApp != nullptr)
        qApp->removeEventFilter(this);
}

void IdlePump::Wake() {
    // One queued call at a time, however many results arrive meanwhile.
    if (m_wakePosted.exchange(true))
        return;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_wakePosted = false;
            if (!m_timer.isActive() && !IsSuspended())
                m_timer.start();
        },
        Qt::QueuedConnection);
}

bool IdlePump::IsRunning() const {
    return m_timer.isActive() || m_wakePosted || AfxIsWorkPending();
}

bool IdlePump::IsSuspended() const {
    return m_modalDepth > 0 || QApplication::activeModalWidget() != nullptr ||
           QApplication::activePopupWidget() != nullptr;
}

void IdlePump::Restart() {
    m_count = 0;
    if (!m_timer.isActive())
        m_timer.start();
}

void IdlePump::LeaveModal() {
    if (m_modalDepth > 0)
        --m_modalDepth;
    if (m_modalDepth == 0)
        Restart();
}

bool IdlePump::RestartsIdle(int type) {
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::Resize:
    case QEvent::Move:
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::Close:
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
    case QEvent::WindowStateChange:
    case QEvent::FocusIn:
    case QEvent::FocusOut:
    case QEvent::Enter:
    case QEvent::Leave:
    case QEvent::DragEnter:
    case QEvent::Drop:
    case QEvent::ContextMenu:
        return true;
    default:
        return type == PostedMessageEvent::Type();
    }
}

bool IdlePump::eventFilter(QObject* watched, QEvent* event) {
    const int type = event->type();
    if (type == QEvent::MouseMove) {
        // A move to where the pointer already was is no news.
        const QPoint pos = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
        if (pos != m_lastMousePos) {
            m_lastMousePos = pos;
            Restart();
        }
    } else if (RestartsIdle(type)) {
        Restart();
    }
    return QObject::eventFilter(watched, event);
}

void IdlePump::Tick() {
    if (IsSuspended()) {
        // Resumed by LeaveModal or by the events that close the loop.
        m_timer.stop();
        return;
    }
    // A modal loop opened inside an idle call stops the timer above.
    if (m_inTick)
        return;
    CWinApp* app = AfxGetApp();
    if (app == nullptr) {
        m_timer.stop();
        return;
    }
    m_inTick = true;
    QElapsedTimer budget;
    budget.start();
    bool more = false;
    do {
        if (beforeIdle)
            beforeIdle();
        more = GuardedCall([&] { return app->OnIdle(m_count++) != FALSE; }, false);
        // Views that wait for the workers still have work: the workers wake
        // the pump when they deliver.
        if (afterIdle)
            afterIdle(more || AfxIsWorkPending());
    } while (more && !IsSuspended() && budget.elapsed() < kTickBudgetMs);
    m_inTick = false;
    if (!more)
        m_timer.stop();
}
