// The run evaluator for AVX-512: eight lanes a vector, escape masks in mask
// registers. This target implies FMA; the build's -ffp-contract=off keeps
// every multiply and add separate all the same.

#include "engine/kernel/kernel_variants.h"

#if defined(QUIRL32_KERNEL_X86)

#include <immintrin.h>

#pragma GCC push_options
#pragma GCC target("avx512f")
#define QUIRL32_KERNEL_NS kernel_avx512
#define QUIRL32_KERNEL_ISA 3
#include "engine/kernel/kernel_body.h"

std::int64_t kernel_variants::RunAvx512(const KernelParams& params, const PixelRun& run,
                                        std::int32_t* indices) {
    return kernel_avx512::Run<8, 4>(params, run, indices);
}
#pragma GCC pop_options

#endif
