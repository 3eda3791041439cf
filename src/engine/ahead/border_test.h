#pragma once
// The recursion's border test as a sequence of kernel runs: the four corners,
// then the top and bottom rows and then the left and right columns in growing
// chunks, each chunk compared in the test's order as soon as it is evaluated.
// So several tests can share the kernel's streams and still evaluate exactly
// the pixels each would alone.

#include "engine/ahead/pixel_rect.h"
#include "engine/kernel/kernel.h"

#include <cstdint>
#include <vector>

class BorderTest {
public:
    BorderTest() = default;
    explicit BorderTest(const PixelRect& r) : m_r(r) {}

    // The pixels to evaluate next; false once the test has its answer.
    bool NextRun(PixelLines& run) const;
    // The indices of the run NextRun gave, as the kernel lays them out.
    void Take(const std::int32_t* indices);

    bool Done() const { return m_phase == Finished; }
    // When done: whether corners and border all have one index, and which.
    bool Uniform() const { return m_uniform; }
    int Index() const { return m_index; }

private:
    enum Phase { Corners, Rows, Columns, Finished };

    // Inner pixels of each of the two lines of the phase.
    int LineLength() const;
    // On to the next phase that has pixels, or to the answer.
    void Advance(Phase next);

    PixelRect m_r;
    Phase m_phase = Corners;
    int m_start = 0; // pixels of the phase's lines compared so far
    int m_chunk = 0;
    int m_index = 0;
    bool m_uniform = false;
};

// Runs border tests to their answers, those still open sharing a stream of
// the kernel at every round. Keeps its buffers from one call to the next.
class BorderTests {
public:
    void Run(const KernelParams& params, BorderTest* tests, int count, std::int64_t& iterations);

private:
    std::vector<PixelLines> m_runs;
    std::vector<int> m_of;
    std::vector<std::int32_t> m_indices;
};
