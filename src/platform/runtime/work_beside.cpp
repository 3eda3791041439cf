#include "platform/runtime/work_beside.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

#if defined(__linux__)
#include <cerrno>
#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

namespace {

// A worker's nice value: the interface thread gets about nine tenths of a
// processor they share.
[[maybe_unused]] constexpr int kWorkerNice = 10;

std::atomic<int> g_threads{-1}; // -1: not set, the processors
// About a millisecond of the vector kernel on one core: views whose steps
// need more go faster through the workers, whose searches share kernel calls.
std::atomic<std::int64_t> g_inlineIterations{std::int64_t(1) << 20};

struct Wake {
    std::mutex mutex;
    std::condition_variable arrived;
    std::uint64_t count = 0;
    std::function<void()> waker;
    std::function<bool()> pending;
};

Wake& TheWake() {
    static Wake wake;
    return wake;
}

} // namespace

void AfxSetWorkerThreads(int threads) {
    g_threads.store(std::max(threads, 0));
}

int AfxWorkerThreads() {
    const int n = g_threads.load();
    return n >= 0 ? n : AfxProcessorCount();
}

void AfxSetInlineStepIterations(std::int64_t iterations) {
    g_inlineIterations.store(std::max<std::int64_t>(iterations, 0));
}

std::int64_t AfxInlineStepIterations() {
    return g_inlineIterations.load();
}

int AfxProcessorCount() {
    return int(std::max(1u, std::thread::hardware_concurrency()));
}

void AfxGiveWayToInterface() {
#if defined(__linux__)
    // Linux keeps a nice value for each thread. Batch scheduling tells the
    // scheduler the thread is not interactive, so it does not preempt the
    // interface thread to run it.
    sched_param param{};
    pthread_setschedparam(pthread_self(), SCHED_BATCH, &param);
    const id_t self = id_t(syscall(SYS_gettid));
    errno = 0;
    const int current = getpriority(PRIO_PROCESS, self);
    if (errno == 0 && current < kWorkerNice)
        setpriority(PRIO_PROCESS, self, kWorkerNice);
#endif
}

void AfxSetIdleWaker(std::function<void()> waker) {
    Wake& w = TheWake();
    std::lock_guard<std::mutex> lock(w.mutex);
    w.waker = std::move(waker);
}

void AfxWakeIdle() {
    Wake& w = TheWake();
    {
        std::lock_guard<std::mutex> lock(w.mutex);
        ++w.count;
        // Called under the lock, so that a backend that unsets its waker is
        // never called afterwards.
        if (w.waker)
            w.waker();
    }
    w.arrived.notify_all();
}

std::uint64_t AfxWakeCount() {
    Wake& w = TheWake();
    std::lock_guard<std::mutex> lock(w.mutex);
    return w.count;
}

void AfxWaitForWake(std::uint64_t seen, std::chrono::milliseconds timeout) {
    Wake& w = TheWake();
    std::unique_lock<std::mutex> lock(w.mutex);
    w.arrived.wait_for(lock, timeout, [&] { return w.count != seen; });
}

void AfxSetPendingWorkQuery(std::function<bool()> query) {
    Wake& w = TheWake();
    std::lock_guard<std::mutex> lock(w.mutex);
    w.pending = std::move(query);
}

bool AfxIsWorkPending() {
    std::function<bool()> query;
    {
        Wake& w = TheWake();
        std::lock_guard<std::mutex> lock(w.mutex);
        query = w.pending;
    }
    return query && query();
}
