// The run evaluator without vector instructions: one lane a vector, four
// pixels in flight, so that even plain code hides the latency of the loop.

#include "baseline/baseline_variants.h"

#define QUIRL32_KERNEL_NS baseline_plain
#define QUIRL32_KERNEL_ISA 0
#include "baseline/kernel_body.h"

std::int64_t baseline_kernel::RunPlain(const KernelParams& params, const PixelRun* runs, int count,
                                       std::int32_t* indices) {
    return baseline_plain::Run<1, 4>(params, runs, count, indices);
}
