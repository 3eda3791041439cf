#pragma once
// The idle loop: while nothing is waiting, a zero-interval timer calls the
// application's OnIdle with a count that starts at 0 after every handled
// event (paints and timers excepted) and stops when OnIdle asks for no more.
// No idle call runs while a modal loop or a popup menu is open. When views
// wait for the workers, OnIdle asks for no more and the pump sleeps until
// the workers wake it.

#include <QElapsedTimer>
#include <QObject>
#include <QPoint>
#include <QTimer>

#include <atomic>
#include <functional>

class IdlePump : public QObject {
    Q_OBJECT
public:
    IdlePump();
    ~IdlePump() override;

    // Starts over at count 0 and runs again if it had stopped.
    void Restart();
    // Runs again if it had stopped, the count going on where it was: the
    // workers delivered what a waiting view needs. Any thread may call it.
    void Wake();
    // Whether idle calls go on: the timer runs, or views wait for workers
    // that will wake the pump.
    bool IsRunning() const;
    bool IsSuspended() const;

    // Modal loops register themselves; the pump resumes at count 0 when the
    // last one closes.
    void EnterModal() { ++m_modalDepth; }
    void LeaveModal();
    int ModalDepth() const { return m_modalDepth; }

    // Before each idle call (pending paints) and after it (with its result,
    // or true while views wait for workers that will wake the pump).
    std::function<void()> beforeIdle;
    std::function<void(bool more)> afterIdle;

    // Events that count as handled messages.
    static bool RestartsIdle(int type);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Tick();

    QTimer m_timer;
    long m_count = 0;
    int m_modalDepth = 0;
    bool m_inTick = false;
    std::atomic<bool> m_wakePosted{false};
    QPoint m_lastMousePos{-1000000, -1000000};
};

// Marks a modal loop for the time of its scope.
class ModalScope {
public:
    explicit ModalScope(IdlePump& pump) : m_pump(pump) { m_pump.EnterModal(); }
    ~ModalScope() { m_pump.LeaveModal(); }
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

private:
    IdlePump& m_pump;
};
