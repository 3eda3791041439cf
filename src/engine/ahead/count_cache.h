#pragma once
// Counts of one computation's pixels, kept for any thread that meets the same
// pixel again. The recursion evaluates many pixels more than once: a
// rectangle's quadrants start their border tests at its corners and run
// along its edges, and a narrow rectangle is evaluated whole after its
// parent's border. Deep in a high limit those pixels are the costly ones.
// A count is a pure function of the pixel and the computation's mapping and
// limit, so a count found here is the count the kernel would give.
//
// A fixed table of 64-bit entries, shared by the workers and the interface
// thread without a lock: each is read and written atomically, written once,
// and a reader sees it whole or not at all. When the part of the table a
// pixel may go in is full, its count is not kept.

#include "engine/ahead/pixel_rect.h"

#include <cstdint>
#include <cstdlib>
#include <memory>

class CountCache {
public:
    // For the pixels of area, with room for about entries counts.
    CountCache(const PixelRect& area, std::size_t entries);

    // A cache for a computation at this limit over these rectangles, or none
    // where pixels are cheap to evaluate again. everyPixel: the computation
    // comes back to every pixel of the area, not to some of them, and the
    // table has room for all of them (within the same bound).
    static std::shared_ptr<CountCache> For(std::int32_t limit, const PixelRect& area,
                                           bool everyPixel = false);

    // The lowest limit at which computations keep their counts; tests set
    // it to keep them at every limit.
    static void SetFromLimit(std::int32_t limit);
    static std::int32_t FromLimit();

    // Whether a count is worth keeping: one that took many iterations, or
    // 0 for a pixel inside the disk, whose orbit ran into the limit or a
    // cycle (0 outside the disk took none).
    static bool Costly(std::int32_t count, bool insideDisk) {
        return count >= kCostly || (count == 0 && insideDisk);
    }

    bool Find(int x, int y, std::int32_t& count) const;
    void Add(int x, int y, std::int32_t count);

private:
    static constexpr std::int32_t kCostly = 256;
    static constexpr int kProbes = 8;

    // The pixel's place in the area, plus one (0 marks an empty entry); 0
    // outside the area.
    std::uint64_t Key(int x, int y) const;

    PixelRect m_area;
    std::uint64_t m_width;
    std::uint64_t m_mask;
    struct Free {
        void operator()(std::uint64_t* p) const { std::free(p); }
    };
    // (key << 32) | count, or 0; read and written through std::atomic_ref.
    std::unique_ptr<std::uint64_t[], Free> m_entries;
    // A bit a pixel of the area, set once its count is in the table.
    std::unique_ptr<std::uint64_t[], Free> m_kept;
};
