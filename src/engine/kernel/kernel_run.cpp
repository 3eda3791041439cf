// The run evaluator for every instruction set: Highway compiles
// kernel_lanes-inl.h once per target named below, each in a namespace of its
// own with the target's instructions enabled for just that code, and
// reports which of them the processor runs.
//
// The targets: the plain loop on the target without vector instructions
// (Highway's scalar or emulated 128-bit target, whichever the compiler
// gets), SSE4, AVX2 and AVX-512. Every one is compiled whatever the
// compiler's own target options are. AVX2 and AVX-512 include FMA; the
// build's -ffp-contract=off keeps every multiply and add separate all the
// same, and a test checks the object code for fused instructions.

#include "engine/kernel/kernel_variants.h"

#ifndef HWY_COMPILE_ALL_ATTAINABLE
#define HWY_COMPILE_ALL_ATTAINABLE
#endif
#ifndef HWY_DISABLED_TARGETS
#define HWY_DISABLED_TARGETS (HWY_SSSE3 | HWY_AVX3_DL)
#endif

#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "engine/kernel/kernel_run.cpp"
#include <hwy/foreach_target.h> // IWYU pragma: keep

#include "engine/kernel/kernel_lanes-inl.h"

#include <hwy/highway.h>

HWY_BEFORE_NAMESPACE();
namespace kernel_lanes {
namespace HWY_NAMESPACE {

std::int64_t Run(const KernelParams& params, const kernel_variants::PixelRun* runs, int count,
                 std::int32_t* indices, KernelStop* stop) {
    // Vectors in flight: AVX-512's 32 registers hold five vectors' lanes,
    // which keep the multipliers busier than four; with AVX2 a fifth
    // vector measured no faster.
    constexpr int kVectors = HWY_TARGET == HWY_AVX3 ? 5 : 4;
    return RunLanes<kVectors>(params, runs, count, indices, stop);
}

} // namespace HWY_NAMESPACE
} // namespace kernel_lanes
HWY_AFTER_NAMESPACE();

#if HWY_ONCE

namespace kernel_variants {

namespace {

// The Highway target that runs a level, and its evaluator in this build.
struct Target {
    std::int64_t target;
    RunFunction run;
};

Target TargetOf(KernelLevel level) {
    switch (level) {
    case KernelLevel::Plain:
#if HWY_TARGETS & HWY_SCALAR
        return {HWY_SCALAR, kernel_lanes::N_SCALAR::Run};
#elif HWY_TARGETS & HWY_EMU128
        return {HWY_EMU128, kernel_lanes::N_EMU128::Run};
#endif
#if HWY_TARGETS & HWY_SSE4
    case KernelLevel::Sse4:
        return {HWY_SSE4, kernel_lanes::N_SSE4::Run};
#endif
#if HWY_TARGETS & HWY_AVX2
    case KernelLevel::Avx2:
        return {HWY_AVX2, kernel_lanes::N_AVX2::Run};
#endif
#if HWY_TARGETS & HWY_AVX3
    case KernelLevel::Avx512:
        return {HWY_AVX3, kernel_lanes::N_AVX3::Run};
#endif
    default:
        return {0, nullptr};
    }
}

// The evaluator of a level if the processor and the operating system support
// its target; the plain target runs everywhere.
RunFunction Runnable(KernelLevel level) {
    const Target t = TargetOf(level);
    if (t.run == nullptr ||
        (level != KernelLevel::Plain && (hwy::SupportedTargets() & t.target) == 0)) {
        return nullptr;
    }
    return t.run;
}

} // namespace

RunFunction RunFunctionFor(KernelLevel level) {
    // Asking the processor takes long; it is asked once.
    static const RunFunction functions[] = {
        Runnable(KernelLevel::Plain), Runnable(KernelLevel::Sse4), Runnable(KernelLevel::Avx2),
        Runnable(KernelLevel::Avx512)};
    const int i = static_cast<int>(level);
    return i >= 0 && i < 4 ? functions[i] : nullptr;
}

} // namespace kernel_variants

#endif // HWY_ONCE
