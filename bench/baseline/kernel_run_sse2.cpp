// The run evaluator for SSE2, the baseline of every 64-bit x86 processor:
// two lanes a vector.

#include "baseline/baseline_variants.h"

#if defined(QUIRL32_KERNEL_X86)

#include <immintrin.h>

#define QUIRL32_KERNEL_NS baseline_sse2
#define QUIRL32_KERNEL_ISA 1
#include "baseline/kernel_body.h"

std::int64_t baseline_kernel::RunSse2(const KernelParams& params, const PixelRun* runs, int count,
                                      std::int32_t* indices) {
    return baseline_sse2::Run<2, 4>(params, runs, count, indices);
}

#endif
