// The run evaluator without vector instructions: one lane a vector, four
// pixels in flight, so that even plain code hides the latency of the loop.

#include "engine/kernel/kernel_variants.h"

#define QUIRL32_KERNEL_NS kernel_plain
#define QUIRL32_KERNEL_ISA 0
#include "engine/kernel/kernel_body.h"

std::int64_t kernel_variants::RunPlain(const KernelParams& params, const PixelRun& run,
                                       std::int32_t* indices) {
    return kernel_plain::Run<1, 4>(params, run, indices);
}
