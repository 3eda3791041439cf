#include "render/image_files.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

std::uint32_t BigEndian(const std::vector<std::uint8_t>& b, std::size_t at) {
    return (std::uint32_t(b[at]) << 24) | (std::uint32_t(b[at + 1]) << 16) |
           (std::uint32_t(b[at + 2]) << 8) | b[at + 3];
}

struct Chunk {
    std::string type;
    std::vector<std::uint8_t> data;
    std::uint32_t crc = 0;
};

std::vector<Chunk> Chunks(const std::vector<std::uint8_t>& png) {
    std::vector<Chunk> chunks;
    std::size_t at = 8;
    while (at + 12 <= png.size()) {
        const std::uint32_t length = BigEndian(png, at);
        Chunk c;
        c.type.assign(png.begin() + std::ptrdiff_t(at + 4), png.begin() + std::ptrdiff_t(at + 8));
        c.data.assign(png.begin() + std::ptrdiff_t(at + 8),
                      png.begin() + std::ptrdiff_t(at + 8 + length));
        c.crc = BigEndian(png, at + 8 + length);
        chunks.push_back(c);
        at += 12 + length;
    }
    EXPECT_EQ(at, png.size());
    return chunks;
}

// The bytes inside a zlib stream of stored blocks.
std::vector<std::uint8_t> Unstore(const std::vector<std::uint8_t>& z) {
    std::vector<std::uint8_t> raw;
    EXPECT_EQ(z[0], 0x78);
    EXPECT_EQ((z[0] * 256 + z[1]) % 31, 0);
    std::size_t at = 2;
    for (;;) {
        const bool last = z[at] & 1;
        EXPECT_EQ(z[at] >> 1, 0) << "stored blocks only";
        const unsigned n = z[at + 1] | (z[at + 2] << 8);
        const unsigned nn = z[at + 3] | (z[at + 4] << 8);
        EXPECT_EQ(n ^ 0xFFFFu, nn);
        raw.insert(raw.end(), z.begin() + std::ptrdiff_t(at + 5),
                   z.begin() + std::ptrdiff_t(at + 5 + n));
        at += 5 + n;
        if (last)
            break;
    }
    EXPECT_EQ(at + 4, z.size());
    return raw;
}

} // namespace

TEST(PngEncoder, HeaderChunksAndPixelsRoundTrip) {
    const std::vector<std::uint32_t> pixels = {0x000000FF, 0x0000FF00, 0x00FF0000,
                                               0x00FFFFFF, 0x00123456, 0x00000000};
    const std::vector<std::uint8_t> png = EncodePng(3, 2, pixels);
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(std::memcmp(png.data(), "\x89PNG\r\n\x1a\n", 8), 0);
    const std::vector<Chunk> chunks = Chunks(png);
    ASSERT_EQ(chunks.size(), 3u);
    EXPECT_EQ(chunks[0].type, "IHDR");
    EXPECT_EQ(BigEndian(chunks[0].data, 0), 3u);
    EXPECT_EQ(BigEndian(chunks[0].data, 4), 2u);
    EXPECT_EQ(chunks[0].data[8], 8); // bit depth
    EXPECT_EQ(chunks[0].data[9], 2); // RGB
    EXPECT_EQ(chunks[2].type, "IEND");
    EXPECT_EQ(chunks[2].crc, 0xAE426082u); // the well-known CRC of an empty IEND

    const std::vector<std::uint8_t> raw = Unstore(chunks[1].data);
    const std::vector<std::uint8_t> expected = {0, 255, 0,   0,   0,    255,  0,    0, 0, 255,
                                                0, 255, 255, 255, 0x56, 0x34, 0x12, 0, 0, 0};
    EXPECT_EQ(raw, expected);
}

TEST(PngEncoder, LargePicturesSpanSeveralStoredBlocks) {
    const int w = 300, h = 200; // 180200 raw bytes: three blocks
    std::vector<std::uint32_t> pixels(std::size_t(w) * h);
    for (std::size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = std::uint32_t(i * 2654435761u) & 0xFFFFFFu;
    const std::vector<Chunk> chunks = Chunks(EncodePng(w, h, pixels));
    const std::vector<std::uint8_t> raw = Unstore(chunks[1].data);
    ASSERT_EQ(raw.size(), std::size_t(h) * (w * 3 + 1));
    const std::size_t row = 57, col = 123;
    const std::uint32_t c = pixels[row * w + col];
    const std::size_t at = row * (w * 3 + 1) + 1 + col * 3;
    EXPECT_EQ(raw[row * (w * 3 + 1)], 0);
    EXPECT_EQ(raw[at], c & 0xFF);
    EXPECT_EQ(raw[at + 1], (c >> 8) & 0xFF);
    EXPECT_EQ(raw[at + 2], (c >> 16) & 0xFF);
}

TEST(PgmEncoder, PlainTextWithShortLines) {
    EXPECT_EQ(EncodePgm(3, 2, {0, 1, 255, 7, 8, 9}), "P2\n3 2\n255\n0 1 255\n7 8 9\n");
    const std::string wide = EncodePgm(100, 1, std::vector<std::uint8_t>(100, 255));
    std::size_t start = 0;
    while (start < wide.size()) {
        const std::size_t end = wide.find('\n', start);
        EXPECT_LE(end - start, 70u);
        start = end + 1;
    }
}
