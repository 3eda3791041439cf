// The run evaluator for SSE2, the baseline of every 64-bit x86 processor:
// two lanes a vector.

#include "engine/kernel/kernel_variants.h"

#if defined(QUIRL32_KERNEL_X86)

#include <immintrin.h>

#define QUIRL32_KERNEL_NS kernel_sse2
#define QUIRL32_KERNEL_ISA 1
#include "engine/kernel/kernel_body.h"

std::int64_t kernel_variants::RunSse2(const KernelParams& params, const PixelRun& run,
                                      std::int32_t* indices) {
    return kernel_sse2::Run<2, 4>(params, run, indices);
}

#endif
