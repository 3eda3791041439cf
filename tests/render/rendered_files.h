#pragma once
// Renders into a temporary folder and reads back what was written: the PNG
// and the index file, for the tests that compare whole renders.

#include "render/renderer.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

class RenderedFilesTest : public ::testing::Test {
protected:
    // Renders args; the PNG and the index file, concatenated. What was
    // printed goes to printed; keepWindowPicture as on the desktop.
    std::string Render(std::vector<std::string> args, std::string* printed = nullptr,
                       bool keepWindowPicture = false) {
        const std::string png = m_folder.Path("p.png"), pgm = m_folder.Path("i.pgm");
        args.insert(args.end(), {"-o", png, "--indices", pgm});
        const RenderParseResult parsed = ParseRenderOptions(args);
        EXPECT_TRUE(parsed.options) << parsed.error;
        if (!parsed.options)
            return {};
        RenderOptions options = *parsed.options;
        options.keepWindowPicture = keepWindowPicture;
        std::ostringstream out, err;
        EXPECT_EQ(RunRender(options, out, err), 0) << err.str();
        if (printed != nullptr)
            *printed = out.str();
        return TempFolder::ReadText(png) + TempFolder::ReadText(pgm);
    }

    TempFolder m_folder;
};
