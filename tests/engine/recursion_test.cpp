#include "support/set_window.h"

#include <array>
#include <vector>

namespace {

using Rect = std::array<int, 4>; // left, top, right, bottom

std::vector<Rect> Stack(const CQuirl32View* v) {
    std::vector<Rect> rects;
    for (const RectNode* n = v->m_pRectStack; n != nullptr; n = n->next)
        rects.push_back({n->left, n->top, n->right, n->bottom});
    return rects;
}

} // namespace

using RecursionMethod = SetWindowTest;

TEST_F(RecursionMethod, FirstSplitOf300x200AndDepthFirstOrder) {
    CQuirl32View* v = NewView(300, 200);
    EXPECT_TRUE(Step(v));
    const std::vector<Rect> expected = {
        {0, 0, 149, 99}, {150, 100, 300, 200}, {0, 100, 149, 200}, {150, 0, 300, 99}};
    EXPECT_EQ(Stack(v), expected);

    // The second step works on the top-left quadrant and splits it too.
    EXPECT_TRUE(Step(v));
    const std::vector<Rect> after = Stack(v);
    ASSERT_EQ(after.size(), 7u);
    EXPECT_EQ(after[0], (Rect{0, 0, 73, 48}));
    EXPECT_EQ(after[3], (Rect{74, 0, 149, 48}));
    EXPECT_EQ(after[4], (Rect{150, 100, 300, 200}));
}

TEST_F(RecursionMethod, FiveByFiveSplitsIntoFourBlocks) {
    CQuirl32View* v = NewView(5, 5);
    // A mixed border: the view shows part of the set's edge.
    Doc(v).m_extents = SetExtents{-0.8, 0.0, 0.05, 0.3};
    v->RestartComputation();
    EXPECT_TRUE(Step(v));
    const std::vector<Rect> expected = {{0, 0, 1, 1}, {2, 2, 5, 5}, {0, 2, 1, 5}, {2, 0, 5, 1}};
    ASSERT_EQ(Stack(v), expected);
    // Each quadrant is computed whole in one step; the last one finishes.
    EXPECT_TRUE(Step(v));
    EXPECT_TRUE(Step(v));
    EXPECT_TRUE(Step(v));
    EXPECT_FALSE(Step(v));
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(IndexAt(Window(v), x, y), v->PixelIndex(x, y)) << x << "," << y;
}

TEST_F(RecursionMethod, NarrowAreasAreComputedInTheFirstStep) {
    CQuirl32View* v = NewView(4, 100);
    EXPECT_FALSE(Step(v));
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 4; ++x)
            ASSERT_EQ(IndexAt(Picture(v), x, y), v->PixelIndex(x, y));
}

TEST_F(RecursionMethod, OneStepFillAfterUnzoom) {
    CQuirl32View* v = NewView(300, 200);
    ASSERT_TRUE(host.SendCommand(ID_SET_UNZOOM));
    EXPECT_DOUBLE_EQ(Doc(v).m_extents.xMin, -3.9);
    EXPECT_DOUBLE_EQ(Doc(v).m_extents.yMin, -2.4);
    EXPECT_EQ(v->m_bWorking, 1);
    EXPECT_FALSE(Step(v));
    for (int y = 0; y < 200; y += 7)
        for (int x = 0; x < 300; x += 7)
            ASSERT_EQ(IndexAt(Window(v), x, y), 0);
    // The line scan computes the same extents pixel by pixel and shows the set.
    ASSERT_TRUE(host.SendCommand(ID_METHOD_LINESCAN));
    ASSERT_TRUE(host.SendCommand(ID_SET_COMPUTE));
    Finish(v);
    EXPECT_EQ(IndexAt(Window(v), 150, 100), 0);
    EXPECT_NE(IndexAt(Window(v), 200, 100), 0);
}

TEST_F(RecursionMethod, UniformBlocksMatchTheirBorder) {
    CQuirl32View* v = NewView(120, 80);
    const int steps = Finish(v);
    EXPECT_GT(steps, 4);
    EXPECT_EQ(v->m_pRectStack, nullptr);
    // Every pixel holds an index; border pixels hold their own.
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 120; ++x) {
            ASSERT_GE(IndexAt(Window(v), x, y), 0);
            ASSERT_EQ(Window(v).Get(x, y), Picture(v).Get(x, y));
        }
    for (int x = 0; x < 120; ++x)
        EXPECT_EQ(IndexAt(Window(v), x, 0), v->PixelIndex(x, 0));
}

TEST_F(RecursionMethod, StopLeavesRectanglesAndComputeStartsOver) {
    CQuirl32View* v = NewView(300, 200);
    Step(v);
    Step(v);
    ASSERT_TRUE(host.SendCommand(ID_SET_STOP));
    EXPECT_EQ(Stack(v).size(), 7u);
    EXPECT_FALSE(Step(v));
    ASSERT_TRUE(host.SendCommand(ID_SET_COMPUTE));
    EXPECT_TRUE(Stack(v).empty());
    EXPECT_TRUE(Step(v));
    EXPECT_EQ(Stack(v).front(), (Rect{0, 0, 149, 99}));
}
