#include "platform/runtime/work_beside.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

std::atomic<int> g_threads{-1}; // -1: not set, the processors
// About 2 to 8 ms of the vector kernel on one core.
std::atomic<std::int64_t> g_inlineIterations{std::int64_t(1) << 23};

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
