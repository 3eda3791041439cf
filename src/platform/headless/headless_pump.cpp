#include "platform/headless/headless_host.h"

#include "platform/docview/view.h"
#include "platform/docview/winapp.h"

#include "platform/runtime/work_beside.h"

#include <algorithm>
#include <chrono>
#include <stdexcept>

void HeadlessHost::PostMessage(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (Window* w = Find(pWnd))
        w->Post(message, wParam, lParam);
}

Surface* HeadlessHost::GetWindowSurface(CWnd* pWnd) {
    Window* w = Find(pWnd);
    return w != nullptr ? w->WindowSurface() : nullptr;
}

bool HeadlessHost::IsPaintPending(const CWnd* pWnd) const {
    const Window* w = Find(pWnd);
    return w != nullptr && w->paintPending;
}

void HeadlessHost::Paint(CWnd* pWnd) {
    Window* w = Find(pWnd);
    if (w == nullptr || !w->paintPending)
        return;
    w->paintPending = false;
    if (auto* view = dynamic_cast<CView*>(pWnd))
        view->OnPaint();
}

int HeadlessHost::HandleOne() {
    if (!m_queue.empty()) {
        const Posted p = m_queue.front();
        m_queue.pop_front();
        m_nIdleCount = 0;
        m_bIdleDue = true;
        p.wnd->SendMessage(p.message, p.wParam, p.lParam);
        return 1;
    }
    for (Window* w : m_peers) {
        if (!w->paintPending || !w->visible)
            continue;
        Paint(w->owner);
        return 2;
    }
    return 0;
}

int HeadlessHost::PumpMessages() {
    int handled = 0;
    for (;;) {
        const int kind = HandleOne();
        if (kind == 0)
            break;
        if (kind == 1)
            ++handled;
    }
    return handled;
}

int HeadlessHost::IdleLoop(CWinApp& app, int maxCalls, bool& ended) {
    int calls = 0;
    ended = false;
    while (!m_bQuit) {
        if (HandleOne() != 0)
            continue;
        if (!m_bIdleDue) {
            // Views wait for counts the workers are computing: the loop
            // sleeps until they deliver, then asks again.
            // (Pending work first: a worker counts its wake before the pool
            // looks idle.)
            if (AfxIsWorkPending() || AfxWakeCount() != m_nWakesSeen) {
                AfxWaitForWake(m_nWakesSeen, std::chrono::milliseconds(50));
                m_bIdleDue = true;
                continue;
            }
            ended = true;
            break;
        }
        if (calls >= maxCalls)
            break;
        if (IsInModalLoop())
            throw std::logic_error("idle call while a modal loop runs");
        const long count = m_nIdleCount++;
        ++calls;
        m_nWakesSeen = AfxWakeCount();
        const auto start = std::chrono::steady_clock::now();
        const BOOL more = app.OnIdle(count);
        m_longestIdleCallMs = std::max(
            m_longestIdleCallMs,
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
        if (!more)
            m_bIdleDue = false;
    }
    return calls;
}

int HeadlessHost::RunIdle(CWinApp& app, int maxCalls) {
    bool ended = false;
    return IdleLoop(app, maxCalls, ended);
}

BOOL HeadlessHost::PumpUntilIdle(CWinApp& app, int maxCalls) {
    bool ended = false;
    IdleLoop(app, maxCalls, ended);
    return ended ? TRUE : FALSE;
}

int HeadlessHost::RunMessageLoop(CWinApp& app) {
    m_bQuit = false;
    bool ended = false;
    while (!m_bQuit) {
        IdleLoop(app, 1 << 30, ended);
        if (ended)
            break;
    }
    return m_nExitCode;
}

void HeadlessHost::Quit(int exitCode) {
    m_bQuit = true;
    m_nExitCode = exitCode;
}
