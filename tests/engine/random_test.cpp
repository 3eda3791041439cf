#include "support/set_window.h"

#include <set>
#include <utility>

namespace {

std::set<std::pair<int, int>> Drawn(const Surface& s) {
    std::set<std::pair<int, int>> drawn;
    for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x)
            if (IsPaletteIndexColor(s.Get(x, y)))
                drawn.emplace(x, y);
    return drawn;
}

} // namespace

using RandomPoints = SetWindowTest;

TEST_F(RandomPoints, FirstPixelsOfARun) {
    CQuirl32View* v = NewView(300, 200);
    ASSERT_TRUE(host.SendCommand(ID_METHOD_RANDOM));
    Doc(v).m_nRandomPoints = 3;
    EXPECT_TRUE(Step(v));
    const std::set<std::pair<int, int>> expected = {{0, 112}, {57, 161}, {175, 95}};
    EXPECT_EQ(Drawn(Window(v)), expected);
    EXPECT_EQ(Drawn(Picture(v)), expected);
    EXPECT_EQ(IndexAt(Window(v), 57, 161), v->PixelIndex(57, 161));
}

TEST_F(RandomPoints, NeverFinishesAndDrawsNothingWithoutPoints) {
    CQuirl32View* v = NewView(30, 20);
    ASSERT_TRUE(host.SendCommand(ID_METHOD_RANDOM));
    const _timeb start = v->m_tStart;
    for (int i = 0; i < 500; ++i)
        ASSERT_TRUE(Step(v));
    EXPECT_EQ(v->m_tFinish.time, start.time);
    EXPECT_EQ(v->m_tFinish.millitm, start.millitm);

    Doc(v).m_nRandomPoints = 0;
    ASSERT_TRUE(host.SendCommand(ID_SET_STOP));
    ASSERT_TRUE(host.SendCommand(ID_SET_COMPUTE));
    const std::size_t before = Drawn(Window(v)).size();
    EXPECT_TRUE(Step(v));
    EXPECT_EQ(Drawn(Window(v)).size(), before);
}

TEST_F(RandomPoints, TheLastValueReachesTheEdgeBeyondTheArea) {
    CQuirl32View* v = NewView(300, 200);
    // Advance the shared generator to just before a value of 32767.
    crt::srand(1);
    int skipped = 0;
    while (crt::rand() != 32767) {
        ++skipped;
        ASSERT_LT(skipped, 10000000);
    }
    crt::srand(1);
    for (int i = 0; i < skipped; ++i)
        crt::rand();
    ASSERT_TRUE(host.SendCommand(ID_METHOD_RANDOM));
    Doc(v).m_nRandomPoints = 1;
    Step(v); // x lands on column 300 and is clipped
    EXPECT_TRUE(Drawn(Window(v)).empty());
    EXPECT_TRUE(Drawn(Picture(v)).empty());
}
