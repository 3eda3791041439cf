// Picks the run evaluator for the machine and forwards ComputeRun to it.

#include "engine/kernel/kernel.h"
#include "engine/kernel/kernel_level.h"
#include "engine/kernel/kernel_variants.h"

#include <atomic>

namespace {

bool CanRun(KernelLevel level) {
    switch (level) {
    case KernelLevel::Plain:
        return true;
#if defined(QUIRL32_KERNEL_X86)
    case KernelLevel::Sse2:
        return true;
    case KernelLevel::Avx2:
        return __builtin_cpu_supports("avx2");
    case KernelLevel::Avx512:
        return __builtin_cpu_supports("avx512f");
#endif
    default:
        return false;
    }
}

kernel_variants::RunFunction FunctionOf(KernelLevel level) {
    switch (level) {
#if defined(QUIRL32_KERNEL_X86)
    case KernelLevel::Sse2:
        return kernel_variants::RunSse2;
    case KernelLevel::Avx2:
        return kernel_variants::RunAvx2;
    case KernelLevel::Avx512:
        return kernel_variants::RunAvx512;
#endif
    default:
        return kernel_variants::RunPlain;
    }
}

KernelLevel BestLevel() {
    const std::vector<KernelLevel> levels = AvailableKernelLevels();
    return levels.back();
}

std::atomic<int>& CurrentLevelStore() {
    static std::atomic<int> level{static_cast<int>(BestLevel())};
    return level;
}

} // namespace

std::vector<KernelLevel> AvailableKernelLevels() {
    std::vector<KernelLevel> levels;
    for (KernelLevel level :
         {KernelLevel::Plain, KernelLevel::Sse2, KernelLevel::Avx2, KernelLevel::Avx512}) {
        if (CanRun(level)) {
            levels.push_back(level);
        }
    }
    return levels;
}

KernelLevel CurrentKernelLevel() {
    return static_cast<KernelLevel>(CurrentLevelStore().load(std::memory_order_relaxed));
}

bool SetKernelLevel(KernelLevel level) {
    if (!CanRun(level)) {
        return false;
    }
    CurrentLevelStore().store(static_cast<int>(level), std::memory_order_relaxed);
    return true;
}

const char* KernelLevelName(KernelLevel level) {
    switch (level) {
    case KernelLevel::Plain:
        return "plain";
    case KernelLevel::Sse2:
        return "sse2";
    case KernelLevel::Avx2:
        return "avx2";
    case KernelLevel::Avx512:
        return "avx512";
    }
    return "unknown";
}

std::int64_t ComputeLines(const KernelParams& params, int x, int y, int dx, int dy, int n,
                          int lineDx, int lineDy, int lines, std::int32_t* indices) {
    if (n == 1 && lines == 1) {
        // One pixel: no lanes to keep busy.
        std::int64_t iterations = 0;
        indices[0] = ComputeIndex(params, double(x) * params.scaleX + params.xMin,
                                  double(y) * params.scaleY + params.yMin, &iterations);
        return iterations;
    }
    const kernel_variants::PixelRun run{x, y, dx, dy, n, lineDx, lineDy, lines};
    return FunctionOf(CurrentKernelLevel())(params, run, indices);
}

std::int64_t ComputeRun(const KernelParams& params, int x, int y, int dx, int dy, int n,
                        std::int32_t* indices) {
    return ComputeLines(params, x, y, dx, dy, n, 0, 0, 1, indices);
}

std::int64_t ComputeRect(const KernelParams& params, int left, int top, int width, int height,
                         std::int32_t* indices) {
    return ComputeLines(params, left, top, 1, 0, width, 0, 1, height, indices);
}
