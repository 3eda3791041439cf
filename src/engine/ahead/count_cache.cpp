#include "engine/ahead/count_cache.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>

namespace {

// Below this limit, pixels met again cost little, and the boundary view at
// 1000 measured 1.08 times the processor time with the table; from 1000000
// on it gains or costs nothing, and far above, a few pixels met again cost
// more than everything else.
std::atomic<std::int32_t> g_fromLimit{std::int32_t(1) << 20};
// Entries: a quarter of the area's pixels (2 bytes a pixel), 8 MB at most.
constexpr std::size_t kMaxEntries = std::size_t(1) << 20;
constexpr std::size_t kMinEntries = std::size_t(1) << 10;
constexpr std::uint64_t kMaxPixels = std::uint64_t(1) << 27;

// Spreads neighbouring pixels over the table (a 64-bit mix).
std::uint64_t Mix(std::uint64_t k) {
    k ^= k >> 33;
    k *= 0xff51afd7ed558ccdULL;
    k ^= k >> 33;
    return k;
}

} // namespace

CountCache::CountCache(const PixelRect& area, std::size_t entries)
    : m_area(area), m_width(std::uint64_t(std::max(area.right - area.left + 1, 1))) {
    std::size_t size = kMinEntries;
    while (size < entries && size < kMaxEntries)
        size *= 2;
    m_mask = size - 1;
    // Zeroed pages from the system: a large table costs nothing until
    // entries land in it, and the plan is made on the interface thread.
    m_entries.reset(static_cast<std::uint64_t*>(std::calloc(size, sizeof(std::uint64_t))));
    const std::uint64_t pixels = m_width * std::uint64_t(std::max(area.bottom - area.top + 1, 1));
    m_kept.reset(static_cast<std::uint64_t*>(std::calloc(pixels / 64 + 1, sizeof(std::uint64_t))));
}

void CountCache::SetFromLimit(std::int32_t limit) {
    g_fromLimit.store(limit);
}

std::int32_t CountCache::FromLimit() {
    return g_fromLimit.load();
}

std::shared_ptr<CountCache> CountCache::For(std::int32_t limit, const PixelRect& area,
                                            bool everyPixel) {
    // Random points come back to every pixel, again and again: any count
    // that can be costly is worth keeping.
    const std::int32_t from = everyPixel ? std::min(FromLimit(), kCostly) : FromLimit();
    if (limit < from || area.right < area.left || area.bottom < area.top)
        return nullptr;
    const std::uint64_t pixels =
        std::uint64_t(area.right - area.left + 1) * std::uint64_t(area.bottom - area.top + 1);
    // A bit a pixel, 16 MB at most: huge pictures evaluate every pixel.
    if (pixels > kMaxPixels)
        return nullptr;
    auto cache = std::make_shared<CountCache>(area, std::size_t(everyPixel ? pixels : pixels / 4));
    // Without memory for it, every pixel is evaluated, as always.
    return cache->m_entries != nullptr && cache->m_kept != nullptr ? cache : nullptr;
}

std::uint64_t CountCache::Key(int x, int y) const {
    if (x < m_area.left || x > m_area.right || y < m_area.top || y > m_area.bottom)
        return 0;
    return std::uint64_t(y - m_area.top) * m_width + std::uint64_t(x - m_area.left) + 1;
}

bool CountCache::Find(int x, int y, std::int32_t& count) const {
    const std::uint64_t key = Key(x, y);
    if (key == 0)
        return false;
    // Most pixels are not kept: one bit, read along the runs, says so
    // without a trip into the table.
    const std::uint64_t word =
        std::atomic_ref<std::uint64_t>(m_kept[(key - 1) / 64]).load(std::memory_order_relaxed);
    if ((word >> ((key - 1) % 64) & 1) == 0)
        return false;
    std::uint64_t at = Mix(key);
    for (int probe = 0; probe < kProbes; ++probe, ++at) {
        const std::uint64_t entry =
            std::atomic_ref<std::uint64_t>(m_entries[at & m_mask]).load(std::memory_order_relaxed);
        if (entry == 0)
            return false;
        if (entry >> 32 == key) {
            count = std::int32_t(std::uint32_t(entry));
            return true;
        }
    }
    return false;
}

void CountCache::Add(int x, int y, std::int32_t count) {
    const std::uint64_t key = Key(x, y);
    if (key == 0 || count < 0)
        return;
    const std::uint64_t entry = key << 32 | std::uint32_t(count);
    std::uint64_t at = Mix(key);
    for (int probe = 0; probe < kProbes; ++probe, ++at) {
        std::atomic_ref<std::uint64_t> slot(m_entries[at & m_mask]);
        std::uint64_t seen = 0;
        if (slot.compare_exchange_strong(seen, entry, std::memory_order_relaxed) ||
            seen >> 32 == key) {
            // Set after the entry: a reader that sees the bit before the
            // entry only evaluates the pixel again.
            std::atomic_ref<std::uint64_t>(m_kept[(key - 1) / 64])
                .fetch_or(std::uint64_t(1) << ((key - 1) % 64), std::memory_order_relaxed);
            return;
        }
    }
}
