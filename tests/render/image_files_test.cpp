#include "render/image_files.h"
#include "render/renderer.h"
#include "support/file_size_limit.h"
#include "support/temp_folder.h"
#include "version.h"

#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace fs = std::filesystem;

namespace {

// A PNG as libpng reads it back.
struct ReadPng {
    bool ok = false;
    int width = 0, height = 0, bitDepth = 0, colorType = 0;
    std::vector<std::vector<std::uint8_t>> rows;
    std::map<std::string, std::string> texts;
};

ReadPng ReadBack(const std::string& path) {
    ReadPng result;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return result;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png)) == 0) {
        png_init_io(png, file);
        png_read_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
        result.width = int(png_get_image_width(png, info));
        result.height = int(png_get_image_height(png, info));
        result.bitDepth = png_get_bit_depth(png, info);
        result.colorType = png_get_color_type(png, info);
        const png_bytepp rows = png_get_rows(png, info);
        const std::size_t rowBytes = png_get_rowbytes(png, info);
        for (int y = 0; y < result.height; ++y)
            result.rows.emplace_back(rows[y], rows[y] + rowBytes);
        png_textp texts = nullptr;
        const int count = png_get_text(png, info, &texts, nullptr);
        for (int i = 0; i < count; ++i)
            result.texts[texts[i].key] = texts[i].text;
        result.ok = true;
    }
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(file);
    return result;
}

class ImageFiles : public ::testing::Test {
protected:
    std::string Path(const std::string& name) const { return folder.Path(name); }

    static Bytes Read(const std::string& path) { return TempFolder::Read(path); }

    TempFolder folder;
};

} // namespace

TEST_F(ImageFiles, PngPixelsAndTextsReadBackThroughLibpng) {
    const std::vector<std::uint32_t> pixels = {0x000000FF, 0x0000FF00, 0x00FF0000,
                                               0x00FFFFFF, 0x00123456, 0x00000000};
    const std::vector<PngText> texts = {{"Software", "Quirl32 9.9"},
                                        {"Quirl32 xMin", "-2.1000000000000001"},
                                        {"Quirl32 random points", "10"}};
    PngWriter writer;
    ASSERT_TRUE(writer.Open(Path("p.png"), 3, 2, texts)) << writer.Error();
    EXPECT_TRUE(writer.WriteRow(pixels.data()));
    EXPECT_TRUE(writer.WriteRow(pixels.data() + 3));
    ASSERT_TRUE(writer.Finish()) << writer.Error();

    const ReadPng png = ReadBack(Path("p.png"));
    ASSERT_TRUE(png.ok);
    EXPECT_EQ(png.width, 3);
    EXPECT_EQ(png.height, 2);
    EXPECT_EQ(png.bitDepth, 8);
    EXPECT_EQ(png.colorType, PNG_COLOR_TYPE_RGB);
    const std::vector<std::vector<std::uint8_t>> expected = {
        {255, 0, 0, 0, 255, 0, 0, 0, 255}, {255, 255, 255, 0x56, 0x34, 0x12, 0, 0, 0}};
    EXPECT_EQ(png.rows, expected);
    EXPECT_EQ(png.texts,
              (std::map<std::string, std::string>{{"Software", "Quirl32 9.9"},
                                                  {"Quirl32 xMin", "-2.1000000000000001"},
                                                  {"Quirl32 random points", "10"}}));
}

TEST_F(ImageFiles, LargePngsCompressAndKeepEveryRow) {
    const int w = 600, h = 400;
    std::vector<std::uint32_t> pixels(std::size_t(w) * h);
    // Noise that deflate cannot shrink, then a flat third that it can.
    for (std::size_t i = 0; i < pixels.size() * 2 / 3; ++i)
        pixels[i] = std::uint32_t(i * 2654435761u) >> 8;
    PngWriter writer;
    ASSERT_TRUE(writer.Open(Path("big.png"), w, h));
    for (int y = 0; y < h; ++y)
        ASSERT_TRUE(writer.WriteRow(pixels.data() + std::size_t(y) * std::size_t(w)));
    ASSERT_TRUE(writer.Finish()) << writer.Error();
    EXPECT_LT(fs::file_size(Path("big.png")), std::size_t(w) * h * 3 * 3 / 4);

    const ReadPng png = ReadBack(Path("big.png"));
    ASSERT_TRUE(png.ok);
    ASSERT_EQ(png.rows.size(), std::size_t(h));
    for (const std::size_t row : {0, 57, 399}) {
        for (const std::size_t col : {0, 123, 599}) {
            const std::uint32_t c = pixels[row * w + col];
            const std::uint8_t* at = png.rows[row].data() + col * 3;
            EXPECT_EQ(at[0], c & 0xFF);
            EXPECT_EQ(at[1], (c >> 8) & 0xFF);
            EXPECT_EQ(at[2], (c >> 16) & 0xFF);
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

TEST_F(ImageFiles, ARenderedPictureCarriesTheSetThatMadeIt) {
    const RenderParseResult parsed =
        ParseRenderOptions({"--size", "30x20", "--do", "specify=-0.75,-0.7,-0.1,0.1,33", "--do",
                            "iterations=75", "--save", Path("set.qrl"), "-o", Path("set.png")});
    ASSERT_TRUE(parsed.options) << parsed.error;
    std::ostringstream out, err;
    ASSERT_EQ(RunRender(*parsed.options, out, err), 0) << err.str();

    const ReadPng png = ReadBack(Path("set.png"));
    ASSERT_TRUE(png.ok);
    EXPECT_EQ(png.width, 30);
    EXPECT_EQ(png.texts.at("Software"), std::string("Quirl32 ") + kQuirl32Version);
    EXPECT_EQ(png.texts.at("Quirl32 yMin"), "-0.10000000000000001");
    EXPECT_EQ(png.texts.at("Quirl32 iterations"), "75");
    EXPECT_EQ(png.texts.at("Quirl32 random points"), "33");
    // The extents read back exactly: those of the set saved with the picture,
    // whose real maximum was fitted to the window.
    double saved[4];
    std::ifstream set(Path("set.qrl"), std::ios::binary);
    ASSERT_TRUE(set.read(reinterpret_cast<char*>(saved), sizeof saved));
    const char* keys[4] = {"Quirl32 xMin", "Quirl32 xMax", "Quirl32 yMin", "Quirl32 yMax"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(std::strtod(png.texts.at(keys[i]).c_str(), nullptr), saved[i]) << keys[i];
    EXPECT_NE(saved[1], -0.7);
}

TEST_F(ImageFiles, AFullDiskEndsThePictureWithTheSystemsReasonAndNoFile) {
    const int w = 600, h = 400;
    std::vector<std::uint32_t> noise(static_cast<std::size_t>(w));
    PngWriter writer;
    ASSERT_TRUE(writer.Open(Path("full.png"), w, h));

    // Files may grow to 1000 bytes only: writes stop as on a full disk.
    bool ok = true;
    {
        const FileSizeLimit limit(1000);
        ASSERT_TRUE(limit.IsSet());
        for (int y = 0; ok && y < h; ++y) {
            for (int x = 0; x < w; ++x)
                noise[std::size_t(x)] = std::uint32_t((y * w + x) * 2654435761u) >> 8;
            ok = writer.WriteRow(noise.data());
        }
        ok = ok && writer.Finish();
    }

    EXPECT_FALSE(ok);
    EXPECT_EQ(writer.Error(), std::strerror(EFBIG));
    EXPECT_FALSE(fs::exists(Path("full.png")));
    // Nothing more goes in once it has failed.
    EXPECT_FALSE(writer.WriteRow(noise.data()));
    EXPECT_FALSE(writer.Finish());
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
