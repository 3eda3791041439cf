// The C runtime's generator, the replaceable clock and the workers' place
// beside the interface thread.

#include "platform/runtime/crt_rand.h"
#include "platform/runtime/timeb.h"
#include "platform/runtime/work_beside.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <thread>

namespace {

TEST(CrtRand, FollowsTheRuntimeSequenceFromStateOne) {
    crt::srand(1);
    EXPECT_EQ(crt::rand(), 41);
    EXPECT_EQ(crt::rand(), 18467);
    EXPECT_EQ(crt::rand(), 6334);
    EXPECT_EQ(crt::rand(), 26500);
    crt::srand(1);
    EXPECT_EQ(crt::rand(), 41);
    for (int i = 0; i < 10000; ++i) {
        const int v = crt::rand();
        ASSERT_GE(v, 0);
        ASSERT_LE(v, crt::kRandMax);
    }
}

void FixedClock(_timeb* now) {
    now->time = 1000;
    now->millitm = 250;
}

TEST(Clock, CanBeReplacedAndRestored) {
    AfxSetClock(FixedClock);
    _timeb t;
    _ftime(&t);
    EXPECT_EQ(t.time, 1000);
    EXPECT_EQ(t.millitm, 250);
    AfxSetClock(nullptr);
    _ftime(&t);
    EXPECT_GT(t.time, 1600000000);
    EXPECT_LT(t.millitm, 1000);
}

int ThisThreadsNice() {
    return getpriority(PRIO_PROCESS, id_t(syscall(SYS_gettid)));
}

TEST(WorkBeside, AWorkerGivesWayAndTheInterfaceThreadKeepsItsPriority) {
    const int interfaceNice = ThisThreadsNice();
    int workerNice = interfaceNice;
    std::thread worker([&] {
        AfxGiveWayToInterface();
        workerNice = ThisThreadsNice();
    });
    worker.join();
    EXPECT_GE(workerNice, 10);
    EXPECT_GE(workerNice, interfaceNice);
    EXPECT_EQ(ThisThreadsNice(), interfaceNice);
}

} // namespace
