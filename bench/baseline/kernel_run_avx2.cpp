// The run evaluator for AVX2: four lanes a vector. The target leaves out FMA
// on purpose; no multiply may be fused with an add.

#include "baseline/baseline_variants.h"

#if defined(QUIRL32_KERNEL_X86)

#include <immintrin.h>

#pragma GCC push_options
#pragma GCC target("avx2")
#define QUIRL32_KERNEL_NS baseline_avx2
#define QUIRL32_KERNEL_ISA 2
#include "baseline/kernel_body.h"

std::int64_t baseline_kernel::RunAvx2(const KernelParams& params, const PixelRun* runs, int count,
                                      std::int32_t* indices) {
    return baseline_avx2::Run<4, 4>(params, runs, count, indices);
}
#pragma GCC pop_options

#endif
