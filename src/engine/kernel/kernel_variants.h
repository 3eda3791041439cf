#pragma once
// The run evaluator compiled once per instruction set (kernel_run.cpp, with
// Highway's per-target compilation). Only the dispatcher calls these.

#include "engine/kernel/kernel.h"
#include "engine/kernel/kernel_level.h"

namespace kernel_variants {

// lines lines of n pixels: pixel i of line j lies at
// (x + i * dx + j * lineDx, y + i * dy + j * lineDy) and its index goes to
// indices[j * n + i], after the indices of the runs before it. The functions
// return the iterations the plain loop makes for these pixels.
using PixelRun = PixelLines;

// Given stop, they may stop before the end (see ComputeRunsFor).
using RunFunction = std::int64_t (*)(const KernelParams& params, const PixelRun* runs, int count,
                                     std::int32_t* indices, KernelStop* stop);

// The evaluator of a level, or nullptr when this build has none for it or
// the machine cannot run it. Plain always has one.
RunFunction RunFunctionFor(KernelLevel level);

} // namespace kernel_variants
