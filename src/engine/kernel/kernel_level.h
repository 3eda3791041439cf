#pragma once
// Which instruction set the run evaluator uses. The fastest one the machine
// can run is chosen at start; tests and the benchmark may force another.

#include <vector>

enum class KernelLevel : int { Plain = 0, Sse2 = 1, Avx2 = 2, Avx512 = 3 };

// The levels this machine can run, slowest first; Plain is always there.
std::vector<KernelLevel> AvailableKernelLevels();

// The level ComputeRun uses now.
KernelLevel CurrentKernelLevel();

// Makes ComputeRun use the given level. Returns false and changes nothing when
// the machine cannot run it.
bool SetKernelLevel(KernelLevel level);

// "plain", "sse2", "avx2" or "avx512".
const char* KernelLevelName(KernelLevel level);
