// quirl32-render on the extremes: sizes from one pixel to 4000 x 3000, NaN
// and infinite extents, odd iteration limits and zooms. Each run ends with
// a picture and status 0, or with a one-line reason.

#include "render/renderer.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <sstream>

namespace {

class RenderExtremes : public ::testing::Test {
protected:
    int Render(const std::vector<std::string>& args) {
        out.str("");
        err.str("");
        const RenderParseResult parsed = ParseRenderOptions(args);
        if (!parsed.options) {
            err << parsed.error;
            return 2;
        }
        return RunRender(*parsed.options, out, err);
    }

    // The indices of a plain PGM, as text after its header.
    static std::string Body(const std::string& path) {
        const Bytes bytes = TempFolder::Read(path);
        const std::string pgm(bytes.begin(), bytes.end());
        const auto at = pgm.find("255\n");
        return at == std::string::npos ? std::string() : pgm.substr(at + 4);
    }

    static bool AllZero(const std::string& body) {
        return !body.empty() && body.find_first_not_of("0 \n") == std::string::npos;
    }

    TempFolder folder;
    std::ostringstream out;
    std::ostringstream err;
};

} // namespace

TEST_F(RenderExtremes, SizesFromOnePixelToFourThousandByThreeThousand) {
    EXPECT_EQ(Render({"--size", "1x1", "--indices", folder.Path("one.pgm")}), 0) << err.str();
    EXPECT_EQ(Body(folder.Path("one.pgm")), "0\n");
    EXPECT_EQ(Render({"--size", "20x20", "--do", "resize=1x300", "--do", "resize=300x1"}), 0)
        << err.str();
    EXPECT_EQ(Render({"--size", "4000x3000", "--info"}), 0) << err.str();
    EXPECT_NE(out.str().find("Zoom: 1250 dpu"), std::string::npos) << out.str();

    // No picture has no pixels: refused with the reason.
    EXPECT_EQ(Render({"--size", "0x0"}), 2);
    EXPECT_NE(err.str().find("sides 1 to 65535"), std::string::npos) << err.str();
    EXPECT_EQ(Render({"--size", "65536x1"}), 2);
}

TEST_F(RenderExtremes, NaNAndInfiniteExtentsRenderInOneColour) {
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    constexpr double kInf = std::numeric_limits<double>::infinity();
    folder.Write("nan.qrl", SetFileBytes(kNaN, kNaN, kNaN, kNaN, 50, 10));
    folder.Write("inf.qrl", SetFileBytes(-kInf, kInf, -kInf, kInf, 50, 10));
    for (const char* name : {"nan.qrl", "inf.qrl"}) {
        const std::string saved = folder.Path(std::string("saved-") + name);
        ASSERT_EQ(Render({folder.Path(name), "--size", "12x8", "--indices", folder.Path("x.pgm"),
                          "--info", "--save", saved}),
                  0)
            << err.str();
        EXPECT_TRUE(AllZero(Body(folder.Path("x.pgm")))) << name;
        EXPECT_NE(out.str().find("Zoom: 0 dpu"), std::string::npos) << out.str();
        // Saved as loaded but for the real maximum, which the fit derived:
        // NaN from an infinite or NaN plane.
        auto read = folder.Path(name);
        auto before = TempFolder::Read(read), after = TempFolder::Read(saved);
        ASSERT_EQ(after.size(), 40u);
        double xMax = 0;
        std::memcpy(&xMax, after.data() + 8, 8);
        EXPECT_TRUE(std::isnan(xMax)) << name;
        std::copy(before.begin() + 8, before.begin() + 16, after.begin() + 8);
        EXPECT_EQ(after, before) << name;
    }
    ASSERT_EQ(Render({"--size", "12x8", "--do", "specify=-1e999,1e999,nan,inf,-5", "--do",
                      "method=random", "--steps", "20", "--indices", folder.Path("s.pgm")}),
              0)
        << err.str();
}

TEST_F(RenderExtremes, IterationLimitsFromBelowZeroToTheLargest) {
    for (const char* limit : {"0", "-5", "-2147483648"}) {
        ASSERT_EQ(Render({"--size", "16x12", "--do", std::string("iterations=") + limit, "--do",
                          "compute", "--indices", folder.Path("i.pgm")}),
                  0)
            << limit << ": " << err.str();
        EXPECT_TRUE(AllZero(Body(folder.Path("i.pgm")))) << limit;
    }
    // The largest limit inside the set finishes by the kernel's cycle check.
    folder.Write("max.qrl", SetFileBytes(-0.45, 0.15, -0.3, 0.3, INT_MAX, 10));
    ASSERT_EQ(Render({folder.Path("max.qrl"), "--size", "16x16", "--indices", folder.Path("m.pgm"),
                      "--info"}),
              0)
        << err.str();
    EXPECT_TRUE(AllZero(Body(folder.Path("m.pgm"))));
    EXPECT_NE(out.str().find("Iterations: 2147483647"), std::string::npos);
}

TEST_F(RenderExtremes, ZoomsWithoutWidthOrHeightOrOutsideThePicture) {
    // A band without width or height is a click: nothing to undo after it.
    EXPECT_EQ(Render({"--size", "30x20", "--do", "zoom=5,5,5,15"}), 0) << err.str();
    EXPECT_EQ(Render({"--size", "30x20", "--do", "zoom=5,5,5,15", "--do", "undo"}), 1);
    EXPECT_EQ(Render({"--size", "30x20", "--do", "zoom=5,5,25,5"}), 0) << err.str();
    // Bands beyond the window and reversed ones zoom and can be undone.
    for (const char* band : {"zoom=-100,-100,500,400", "zoom=25,15,5,5", "zoom=29,19,30,20"})
        EXPECT_EQ(Render({"--size", "30x20", "--do", band, "--do", "undo", "--indices",
                          folder.Path("z.pgm")}),
                  0)
            << band << ": " << err.str();
}
