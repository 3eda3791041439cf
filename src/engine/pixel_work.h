#pragma once
// The recursion's work on one rectangle, on the escape-time kernel, apart
// from the view's state so that several threads can share it: each call
// reads only its arguments and writes only the pixels of its rectangle.

#include "engine/border_test.h"
#include "engine/kernel/kernel.h"
#include "engine/pixel_rect.h"
#include "platform/dc.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class CQuirl32View;

// Where computed pixels go: the window first, then the off-screen picture;
// either may be missing. Drawing contexts only write pixels and fill
// rectangles here, so threads may share them for disjoint pixels.
struct PixelSink {
    CDC* window = nullptr;
    CDC* memory = nullptr;
};

// The kernel's view of the set view's current mapping, limit and palette size.
KernelParams ViewKernelParams(const CQuirl32View& view);

// Computes and writes every pixel of the inclusive rectangle, row by row,
// left to right. Adds the plain loop's iterations to iterations.
void FillPixels(const KernelParams& params, const PixelSink& sink, const PixelRect& r,
                std::int64_t& iterations);

// The border test: true, with the common index, when the rectangle's corners
// and border all have one index. Stops soon after the first mismatch and
// draws nothing.
bool BorderUniform(const KernelParams& params, const PixelRect& r, int& index,
                   std::int64_t& iterations);

// Rectangles computed pixel by pixel, gathered and evaluated as one stream of
// the kernel: a small rectangle alone leaves most of the kernel's lanes idle
// while its longest orbit runs. Only for a computation run to its end, where
// no one sees in which order pixels appear. Everything added is written by
// the time Flush returns.
class PixelBatch {
public:
    PixelBatch(const KernelParams& params, const PixelSink& sink);
    // Computes the rectangle now or with others later.
    void Add(const PixelRect& r, std::int64_t& iterations);
    // Computes and writes every rectangle added.
    void Flush(std::int64_t& iterations);

private:
    KernelParams m_params;
    PixelSink m_sink;
    std::vector<PixelRect> m_rects;
    std::vector<PixelLines> m_runs;
    std::vector<std::int32_t> m_indices;
    std::size_t m_pixels = 0;
};

// One rectangle of the recursion: a narrow one is computed, one with a
// uniform border filled, any other split. Returns how many quadrants it split
// into (0 or 4), stored in quadrants in the order they are to be pushed.
int RecursionStep(const KernelParams& params, const PixelSink& sink, const PixelRect& r,
                  PixelRect quadrants[4], std::int64_t& iterations);

// A thread's share of a recursion run to its end: rectangles handled in
// groups, each as RecursionStep handles it, with the narrow ones gathered
// into a PixelBatch and the border tests of the others sharing the kernel's
// streams. The picture and the pixels evaluated are those of single steps.
class RecursionGroup {
public:
    RecursionGroup(const KernelParams& params, const PixelSink& sink);
    // Handles rects[0 .. count): splits[i] gets how many quadrants rectangle
    // i split into (0 or 4), stored from quadrants[4 * i] in the order they
    // are to be pushed.
    void Steps(const PixelRect* rects, int count, PixelRect* quadrants, int* splits,
               std::int64_t& iterations);
    // Writes the narrow rectangles still gathered.
    void Flush(std::int64_t& iterations);

private:
    KernelParams m_params;
    PixelSink m_sink;
    PixelBatch m_batch;
    BorderTests m_runner;
    std::vector<BorderTest> m_tests;
    std::vector<int> m_tested; // which rectangle each test is for
};
