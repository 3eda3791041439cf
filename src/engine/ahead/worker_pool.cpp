#include "engine/ahead/worker_pool.h"

#include "platform/runtime/work_beside.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <new>

namespace {

std::atomic<int> g_failSlices{0};

// Whether this slice is one of those told to fail.
bool FailThisSlice() {
    int left = g_failSlices.load();
    while (left > 0 && !g_failSlices.compare_exchange_weak(left, left - 1)) {
    }
    return left > 0;
}

} // namespace

void WorkerPool::FailNextSlices(int slices) {
    g_failSlices.store(std::max(slices, 0));
}

WorkerPool& WorkerPool::Instance() {
    static WorkerPool pool;
    return pool;
}

WorkerPool::WorkerPool() {
    AfxSetPendingWorkQuery([this] { return Busy(); });
}

WorkerPool::~WorkerPool() {
    AfxSetPendingWorkQuery(nullptr);
    Stop();
}

void WorkerPool::Stop() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
    }
    m_jobs.notify_all();
    for (std::thread& t : m_threads)
        t.join();
    m_threads.clear();
    std::lock_guard<std::mutex> lock(m_mutex);
    m_stopping = false;
}

void WorkerPool::SetThreads(int threads) {
    threads = std::max(threads, 0);
    if (threads == Threads())
        return;
    // Running slices end within their budget; jobs wait for the new workers.
    Stop();
    for (int i = 0; i < threads; ++i) {
        try {
            m_threads.emplace_back([this] { Work(); });
        } catch (...) {
            break; // the workers there are share the work
        }
    }
}

void WorkerPool::Add(const std::shared_ptr<AheadClient>& client) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_clients.push_back(client);
}

void WorkerPool::Remove(const AheadClient* client) {
    std::lock_guard<std::mutex> lock(m_mutex);
    const auto it = std::find_if(m_clients.begin(), m_clients.end(),
                                 [&](const auto& c) { return c.get() == client; });
    if (it == m_clients.end())
        return;
    const std::size_t at = std::size_t(it - m_clients.begin());
    m_clients.erase(it);
    if (m_next > at)
        --m_next;
    if (m_next >= m_clients.size())
        m_next = 0;
}

void WorkerPool::JobsAdded() {
    // A worker that went to sleep did so under the mutex, before the caller
    // changed the jobs under it: the count shows it.
    if (m_sleeping.load() > 0)
        m_jobs.notify_all();
}

bool WorkerPool::Busy() {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_threads.empty())
        return false;
    if (m_running > 0)
        return true;
    return std::any_of(m_clients.begin(), m_clients.end(),
                       [](const auto& c) { return c->HasJob(); });
}

void WorkerPool::Work() {
    AfxGiveWayToInterface();
    using Clock = std::chrono::steady_clock;
    std::unique_lock<std::mutex> lock(m_mutex);
    // The client this worker serves, and since when: it keeps taking that
    // client's jobs for a few milliseconds, so that a view of many small
    // jobs gets as much time as one of long slices.
    std::shared_ptr<AheadClient> serving;
    Clock::time_point since;
    while (!m_stopping) {
        std::shared_ptr<AheadClient> client;
        std::shared_ptr<AheadJob> job;
        if (serving != nullptr && Clock::now() - since < kTurn &&
            std::find(m_clients.begin(), m_clients.end(), serving) != m_clients.end()) {
            job = serving->TakeJob();
            if (job != nullptr)
                client = serving;
        }
        const std::size_t n = m_clients.size();
        for (std::size_t k = 0; k < n && job == nullptr; ++k) {
            const std::size_t i = (m_next + k) % n;
            job = m_clients[i]->TakeJob();
            if (job != nullptr) {
                client = m_clients[i];
                m_next = (i + 1) % n;
                serving = client;
                since = Clock::now();
            }
        }
        if (job == nullptr) {
            serving.reset();
            ++m_sleeping;
            m_jobs.wait(lock);
            --m_sleeping;
            continue;
        }
        ++m_running;
        lock.unlock();
        bool finished = true;
        try {
            if (FailThisSlice())
                throw std::bad_alloc();
            finished = job->RunSlice(kSliceBudget);
        } catch (const std::bad_alloc&) {
            job->failed = true;
        }
        lock.lock();
        --m_running;
        const bool delivered = finished || job->failed;
        // A step may be ready. The wake is counted before anyone can see the
        // pool idle, so that a loop that finds no work pending also finds
        // the wake. Work far ahead of the steps wakes no one.
        if (client->JobBack(job, delivered))
            AfxWakeIdle();
        // Another worker is woken only for a job there is.
        const bool more = delivered && client->HasJob();
        lock.unlock();
        // The last owner of a closed view's client may be this worker.
        job.reset();
        client.reset();
        if (more)
            JobsAdded(); // new jobs may have come of it
        lock.lock();
    }
    lock.unlock();
    serving.reset();
}
