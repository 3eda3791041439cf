#pragma once
// Which instruction set the run evaluator uses. The fastest one the machine
// can run is chosen at start; tests and the benchmark may force another.

#include <vector>

// Plain: one lane, no vector instructions; Sse4: two lanes (128 bits);
// Avx2: four lanes; Avx512: eight lanes. Sse2 is the older name of the
// 128-bit level.
enum class KernelLevel : int { Plain = 0, Sse4 = 1, Avx2 = 2, Avx512 = 3, Sse2 = Sse4 };

// The levels this machine can run, slowest first; Plain is always there.
std::vector<KernelLevel> AvailableKernelLevels();

// The level ComputeRun uses now.
KernelLevel CurrentKernelLevel();

// Makes ComputeRun use the given level. Returns false and changes nothing when
// the machine cannot run it.
bool SetKernelLevel(KernelLevel level);

// "plain", "sse4", "avx2" or "avx512".
const char* KernelLevelName(KernelLevel level);

// Makes every evaluation, single points and runs, use the plain loop of
// ComputePointNaive instead of the fast kernel: the baseline against which
// whole renders are measured. Off at start.
void SetNaiveKernel(bool on);
bool IsNaiveKernel();
