#pragma once
// The run evaluator compiled once per instruction set from kernel_body.h.
// Only the dispatcher calls these; each must run only where its level does.

#include "engine/kernel/kernel.h"

namespace baseline_kernel {

// lines lines of n pixels: pixel i of line j lies at
// (x + i * dx + j * lineDx, y + i * dy + j * lineDy) and its index goes to
// indices[j * n + i], after the indices of the runs before it. The functions
// return the iterations the plain loop makes for these pixels.
using PixelRun = PixelLines;

using RunFunction = std::int64_t (*)(const KernelParams& params, const PixelRun* runs, int count,
                                     std::int32_t* indices);

std::int64_t RunPlain(const KernelParams& params, const PixelRun* runs, int count,
                      std::int32_t* indices);

// The vector variants rely on GCC's target pragmas; a build with another
// compiler (clang, for the fuzzers) has the plain evaluator only.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define QUIRL32_KERNEL_X86 1
std::int64_t RunSse2(const KernelParams& params, const PixelRun* runs, int count,
                     std::int32_t* indices);
std::int64_t RunAvx2(const KernelParams& params, const PixelRun* runs, int count,
                     std::int32_t* indices);
std::int64_t RunAvx512(const KernelParams& params, const PixelRun* runs, int count,
                       std::int32_t* indices);
#endif

} // namespace baseline_kernel
