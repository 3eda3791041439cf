#pragma once
// The worker threads that evaluate ahead of the idle steps, shared by all
// set views. Each view is a client with its own jobs; a worker takes slices
// of one client's jobs for a few milliseconds, then turns to the next
// client, so that a small window next to a heavy one gets its share. A job runs in slices of a
// bounded number of iterations, so that work no longer wanted stops soon.
//
// The clients' shared state lives under the pool's one mutex: workers only
// take jobs, run them outside the lock and hand them back under it. The
// views' own state (pictures, stacks, scan positions, flags) is never seen
// by a worker.

#include "engine/ahead/count_job.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class AheadJob {
public:
    virtual ~AheadJob() = default;
    // Runs for at most about budget iterations; true when finished.
    virtual bool RunSlice(std::int64_t budget) = 0;
    // Set when a slice failed (out of memory); the job then counts as finished.
    bool failed = false;
};

class AheadClient {
public:
    virtual ~AheadClient() = default;
    // Under the pool's mutex: the job to run a slice of next, or nullptr.
    virtual std::shared_ptr<AheadJob> TakeJob() = 0;
    // Under the pool's mutex: whether TakeJob would give a job.
    virtual bool HasJob() const = 0;
    // Under the pool's mutex: the job back after a slice. True when a step
    // that waits may find what it needs now, so the message loop is woken.
    virtual bool JobBack(const std::shared_ptr<AheadJob>& job, bool finished) = 0;
};

class WorkerPool {
public:
    // The iterations of one slice: a few milliseconds of work.
    static constexpr std::int64_t kSliceBudget = CountJob::kSliceBudget;
    // How long a worker stays with one view's jobs before it turns to the next.
    static constexpr std::chrono::milliseconds kTurn{4};

    static WorkerPool& Instance();
    ~WorkerPool();

    std::mutex& Mutex() { return m_mutex; }
    // Starts or ends workers so that there are threads of them.
    void SetThreads(int threads);
    // The next slices that workers run fail as if out of memory (a test's
    // way to reach the failure paths).
    static void FailNextSlices(int slices);
    int Threads() const { return int(m_threads.size()); }

    void Add(const std::shared_ptr<AheadClient>& client);
    void Remove(const AheadClient* client);
    // Clients call this, without the mutex held, when they have new jobs;
    // it wakes the workers that sleep, if any.
    void JobsAdded();
    // Whether any job is running or waiting for a worker.
    bool Busy();

private:
    WorkerPool();
    void Work();
    void Stop();

    std::mutex m_mutex;
    std::condition_variable m_jobs;
    std::vector<std::shared_ptr<AheadClient>> m_clients;
    std::size_t m_next = 0; // the client whose turn it is
    int m_running = 0;
    std::atomic<int> m_sleeping{0}; // changed under the mutex
    bool m_stopping = false;
    std::vector<std::thread> m_threads;
};
