#include "render/image_files.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {

std::uint32_t BigEndian(const std::vector<std::uint8_t>& b, std::size_t at) {
    return (std::uint32_t(b[at]) << 24) | (std::uint32_t(b[at + 1]) << 16) |
           (std::uint32_t(b[at + 2]) << 8) | b[at + 3];
}

struct Chunk {
    std::string type;
    std::vector<std::uint8_t> data;
};

// The chunks after the signature; every CRC checked.
std::vector<Chunk> Chunks(const std::vector<std::uint8_t>& png) {
    std::vector<Chunk> chunks;
    std::size_t at = 8;
    while (at + 12 <= png.size()) {
        const std::uint32_t length = BigEndian(png, at);
        Chunk c;
        c.type.assign(png.begin() + std::ptrdiff_t(at + 4), png.begin() + std::ptrdiff_t(at + 8));
        c.data.assign(png.begin() + std::ptrdiff_t(at + 8),
                      png.begin() + std::ptrdiff_t(at + 8 + length));
        const uLong crc = crc32(0L, png.data() + at + 4, uInt(length + 4));
        EXPECT_EQ(BigEndian(png, at + 8 + length), std::uint32_t(crc)) << c.type;
        chunks.push_back(c);
        at += 12 + length;
    }
    EXPECT_EQ(at, png.size());
    return chunks;
}

// The image data of all IDAT chunks, inflated.
std::vector<std::uint8_t> Inflate(const std::vector<Chunk>& chunks, std::size_t size) {
    std::vector<std::uint8_t> z;
    for (const Chunk& c : chunks)
        if (c.type == "IDAT")
            z.insert(z.end(), c.data.begin(), c.data.end());
    std::vector<std::uint8_t> raw(size + 1);
    uLongf rawSize = uLongf(raw.size());
    EXPECT_EQ(uncompress(raw.data(), &rawSize, z.data(), uLong(z.size())), Z_OK);
    raw.resize(rawSize);
    return raw;
}

class ImageFiles : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("quirl32-image-test-" +
               std::to_string(::testing::UnitTest::GetInstance()->current_test_info()->line()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string Path(const std::string& name) const { return (dir / name).string(); }

    static std::vector<std::uint8_t> Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
    }

    // Writes pixels as a PNG of width w; the file's bytes.
    std::vector<std::uint8_t> WritePng(int w, const std::vector<std::uint32_t>& pixels) {
        const int h = int(pixels.size()) / w;
        PngWriter png;
        EXPECT_TRUE(png.Open(Path("p.png"), w, h));
        for (int y = 0; y < h; ++y)
            EXPECT_TRUE(png.WriteRow(pixels.data() + std::size_t(y) * std::size_t(w)));
        EXPECT_TRUE(png.Finish()) << png.Error();
        return Read(Path("p.png"));
    }

    fs::path dir;
};

} // namespace

TEST_F(ImageFiles, PngHeaderChunksAndPixelsRoundTrip) {
    const std::vector<std::uint32_t> pixels = {0x000000FF, 0x0000FF00, 0x00FF0000,
                                               0x00FFFFFF, 0x00123456, 0x00000000};
    const std::vector<std::uint8_t> png = WritePng(3, pixels);
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
    EXPECT_TRUE(chunks[2].data.empty());

    const std::vector<std::uint8_t> expected = {0, 255, 0,   0,   0,    255,  0,    0, 0, 255,
                                                0, 255, 255, 255, 0x56, 0x34, 0x12, 0, 0, 0};
    EXPECT_EQ(Inflate(chunks, expected.size()), expected);
}

TEST_F(ImageFiles, LargePngsSpreadOverSeveralImageChunksAndCompress) {
    const int w = 600, h = 400;
    std::vector<std::uint32_t> pixels(std::size_t(w) * h);
    // Noise that deflate cannot shrink, then a flat third that it can.
    for (std::size_t i = 0; i < pixels.size() * 2 / 3; ++i)
        pixels[i] = std::uint32_t(i * 2654435761u) >> 8;
    const std::vector<std::uint8_t> png = WritePng(w, pixels);
    const std::vector<Chunk> chunks = Chunks(png);
    EXPECT_GT(std::count_if(chunks.begin(), chunks.end(),
                            [](const Chunk& c) { return c.type == "IDAT"; }),
              1);
    const std::size_t rowBytes = std::size_t(w) * 3 + 1;
    EXPECT_LT(png.size(), rowBytes * h * 3 / 4);
    const std::vector<std::uint8_t> raw = Inflate(chunks, rowBytes * h);
    ASSERT_EQ(raw.size(), rowBytes * h);
    for (const std::size_t row : {0, 57, 399}) {
        EXPECT_EQ(raw[row * rowBytes], 0); // filter: none
        for (const std::size_t col : {0, 123, 599}) {
            const std::uint32_t c = pixels[row * w + col];
            const std::size_t at = row * rowBytes + 1 + col * 3;
            EXPECT_EQ(raw[at], c & 0xFF);
            EXPECT_EQ(raw[at + 1], (c >> 8) & 0xFF);
            EXPECT_EQ(raw[at + 2], (c >> 16) & 0xFF);
        }
    }
}

TEST_F(ImageFiles, AnUnfinishedOrUnwritablePictureLeavesNoFile) {
    PngWriter missingRows;
    ASSERT_TRUE(missingRows.Open(Path("short.png"), 2, 2));
    const std::uint32_t row[2] = {0, 0};
    EXPECT_TRUE(missingRows.WriteRow(row));
    EXPECT_FALSE(missingRows.Finish());
    EXPECT_FALSE(missingRows.Error().empty());
    EXPECT_FALSE(fs::exists(Path("short.png")));

    {
        PngWriter abandoned;
        ASSERT_TRUE(abandoned.Open(Path("gone.png"), 2, 2));
    }
    EXPECT_FALSE(fs::exists(Path("gone.png")));

    PngWriter nowhere;
    EXPECT_FALSE(nowhere.Open(Path("no/such/dir.png"), 2, 2));
    EXPECT_FALSE(nowhere.Error().empty());
    PgmWriter pgm;
    EXPECT_FALSE(pgm.Open(Path("no/such/dir.pgm"), 2, 2));
    EXPECT_FALSE(pgm.Error().empty());
}

TEST_F(ImageFiles, PgmIsPlainTextWithShortLines) {
    PgmWriter small;
    ASSERT_TRUE(small.Open(Path("s.pgm"), 3, 2));
    const std::uint8_t rows[2][3] = {{0, 1, 255}, {7, 80, 9}};
    EXPECT_TRUE(small.WriteRow(rows[0]));
    EXPECT_TRUE(small.WriteRow(rows[1]));
    ASSERT_TRUE(small.Finish());
    const std::vector<std::uint8_t> text = Read(Path("s.pgm"));
    EXPECT_EQ(std::string(text.begin(), text.end()), "P2\n3 2\n255\n0 1 255\n7 80 9\n");

    PgmWriter wide;
    ASSERT_TRUE(wide.Open(Path("w.pgm"), 100, 1));
    const std::vector<std::uint8_t> values(100, 255);
    EXPECT_TRUE(wide.WriteRow(values.data()));
    ASSERT_TRUE(wide.Finish());
    const std::vector<std::uint8_t> bytes = Read(Path("w.pgm"));
    const std::string all(bytes.begin(), bytes.end());
    std::size_t start = 0, numbers = 0;
    while (start < all.size()) {
        const std::size_t end = all.find('\n', start);
        EXPECT_LE(end - start, 70u);
        start = end + 1;
    }
    for (std::size_t at = all.find("255", 11); at != std::string::npos;
         at = all.find("255", at + 3))
        ++numbers;
    EXPECT_EQ(numbers, 100u);
}
