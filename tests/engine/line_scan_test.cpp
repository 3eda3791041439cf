#include "support/set_window.h"

#include <utility>
#include <vector>

using LineScanMethod = SetWindowTest;

TEST_F(LineScanMethod, ThreeByTwoIn12PixelsAndAFinishingStep) {
    CQuirl32View* v = NewView(3, 2);
    ASSERT_TRUE(host.SendCommand(ID_METHOD_LINESCAN));
    std::vector<std::pair<int, int>> visited;
    for (int step = 1; step <= 12; ++step) {
        // The pixel a step computes is the scan position it starts from,
        // moved to the next row past the right end.
        int x = v->m_nScanX, y = v->m_nScanY;
        if (x > 3) {
            x = 0;
            ++y;
        }
        visited.emplace_back(x, y);
        ASSERT_TRUE(Step(v)) << step;
    }
    const std::vector<std::pair<int, int>> expected = {{0, 0}, {1, 0}, {2, 0}, {3, 0},
                                                       {0, 1}, {1, 1}, {2, 1}, {3, 1},
                                                       {0, 2}, {1, 2}, {2, 2}, {3, 2}};
    EXPECT_EQ(visited, expected);
    EXPECT_FALSE(Step(v));
    EXPECT_EQ(v->m_nScanX, 0);
    EXPECT_EQ(v->m_nScanY, 0);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(IndexAt(Window(v), x, y), v->PixelIndex(x, y));
}

TEST_F(LineScanMethod, MethodSwitchesKeepEachMethodsProgress) {
    CQuirl32View* v = NewView(40, 30);
    ASSERT_TRUE(host.SendCommand(ID_METHOD_LINESCAN));
    for (int i = 0; i < 50; ++i)
        Step(v);
    EXPECT_EQ(v->m_nScanX, 9);
    EXPECT_EQ(v->m_nScanY, 1);

    // The recursion computes the whole picture from its empty stack...
    ASSERT_TRUE(host.SendCommand(ID_METHOD_RECURSION));
    Step(v);
    EXPECT_NE(v->m_pRectStack, nullptr);
    // ...and the scan goes on where it stopped.
    ASSERT_TRUE(host.SendCommand(ID_METHOD_LINESCAN));
    Step(v);
    EXPECT_EQ(v->m_nScanX, 10);
    EXPECT_EQ(v->m_nScanY, 1);
}

TEST_F(LineScanMethod, StopThenComputeStartsAtTheTopLeft) {
    CQuirl32View* v = NewView(40, 30);
    ASSERT_TRUE(host.SendCommand(ID_METHOD_LINESCAN));
    for (int i = 0; i < 20; ++i)
        Step(v);
    ASSERT_TRUE(host.SendCommand(ID_SET_STOP));
    EXPECT_EQ(v->m_nScanX, 20);
    ASSERT_TRUE(host.SendCommand(ID_SET_COMPUTE));
    EXPECT_EQ(v->m_nScanX, 0);
    EXPECT_EQ(v->m_nScanY, 0);
    Step(v);
    EXPECT_EQ(v->m_nScanX, 1);
    EXPECT_EQ(Finish(v), 41 * 31);
}
