// The run evaluator for AVX2: four lanes a vector. The target leaves out FMA
// on purpose; no multiply may be fused with an add.

#include "engine/kernel/kernel_variants.h"

#if defined(QUIRL32_KERNEL_X86)

#include <immintrin.h>

#pragma GCC push_options
#pragma GCC target("avx2")
#define QUIRL32_KERNEL_NS kernel_avx2
#define QUIRL32_KERNEL_ISA 2
#include "engine/kernel/kernel_body.h"

std::int64_t kernel_variants::RunAvx2(const KernelParams& params, const PixelRun& run,
                                      std::int32_t* indices) {
    return kernel_avx2::Run<4, 4>(params, run, indices);
}
#pragma GCC pop_options

#endif
