#pragma once
// Work that runs beside the interface thread: how many worker threads
// evaluate ahead of the idle steps, and how their results wake the message
// loop. The system's state stays on the interface thread; workers only hand
// back results, and wake the loop when they do.

#include <chrono>
#include <cstdint>
#include <functional>

// Worker threads for evaluation ahead of the steps; 0 means that every step
// computes on the interface thread, as the plain steps do. Until set, as many
// as the machine has processors.
void AfxSetWorkerThreads(int threads);
int AfxWorkerThreads();
// The machine's processors, at least 1.
int AfxProcessorCount();
// Called by a worker thread as it starts: it gives way to the interface
// thread, so that menus, drawing and input never wait for a processor while
// the workers keep every one busy. Does nothing where priorities cannot be
// lowered.
void AfxGiveWayToInterface();
// The most iterations a step may need at worst for the interface thread to
// compute it itself: below it, handing the step to the workers and back
// costs more than the step, and the step still ends within milliseconds.
// 0 hands every step to the workers.
void AfxSetInlineStepIterations(std::int64_t iterations);
std::int64_t AfxInlineStepIterations();

// The backend's way to resume idle calls from any thread; nullptr for none.
void AfxSetIdleWaker(std::function<void()> waker);
// Any thread: results arrived, idle calls should resume. Counts the wake.
void AfxWakeIdle();
// How many wakes there have been so far.
std::uint64_t AfxWakeCount();
// Waits until the wake count differs from seen, or at most timeout. A loop
// with nothing else to do waits here while work beside it is pending.
void AfxWaitForWake(std::uint64_t seen, std::chrono::milliseconds timeout);

// Whether work beside the interface thread is under way that will wake the
// loop when it delivers; answered by whoever runs that work.
void AfxSetPendingWorkQuery(std::function<bool()> query);
bool AfxIsWorkPending();
