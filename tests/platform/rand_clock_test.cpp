// The C runtime's generator and the replaceable clock.

#include "platform/runtime/crt_rand.h"
#include "platform/runtime/timeb.h"

#include <gtest/gtest.h>

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

} // namespace
