#pragma once
// The recursion's work on one rectangle, on the escape-time kernel, apart
// from the view's state: each call reads only its arguments and writes only
// the pixels of its rectangle.

#include "engine/ahead/evaluation_ahead.h"
#include "engine/ahead/pixel_rect.h"
#include "engine/kernel/kernel.h"
#include "platform/drawing/dc.h"

#include <cstdint>

class CQuirl32View;

// Where computed pixels go: the window first, then the off-screen picture;
// either may be missing.
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

// Fills the inclusive rectangle with one palette index, window first.
void FillUniform(const PixelSink& sink, const PixelRect& r, int index);

// One rectangle of the recursion: a narrow one is computed and drawn
// (Pixels), one with a uniform border gives its index and is left for the
// caller to fill (Uniform), any other is split (Split), its quadrants stored
// in the order they are to be pushed.
RectOutcome::Kind RecursionStep(const KernelParams& params, const PixelSink& sink,
                                const PixelRect& r, PixelRect quadrants[4], int& index,
                                std::int64_t& iterations);
