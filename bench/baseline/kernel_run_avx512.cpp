// The run evaluator for AVX-512: eight lanes a vector, escape masks in mask
// registers. This target implies FMA; the build's -ffp-contract=off keeps
// every multiply and add separate all the same.

#include "baseline/baseline_variants.h"

#if defined(QUIRL32_KERNEL_X86)

#include <immintrin.h>

#pragma GCC push_options
#pragma GCC target("avx512f")
#define QUIRL32_KERNEL_NS baseline_avx512
#define QUIRL32_KERNEL_ISA 3
#include "baseline/kernel_body.h"

std::int64_t baseline_kernel::RunAvx512(const KernelParams& params, const PixelRun* runs, int count,
                                        std::int32_t* indices) {
    return baseline_avx512::Run<8, 4>(params, runs, count, indices);
}
#pragma GCC pop_options

#endif
