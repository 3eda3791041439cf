// quirl32-render: renders a set to files without a display.

#include "render/render_options.h"
#include "render/renderer.h"
#include "version.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const RenderParseResult parsed = ParseRenderOptions(args);
    if (!parsed.options) {
        std::cerr << "quirl32-render: " << parsed.error << "\n" << RenderUsage();
        return 2;
    }
    if (parsed.options->help) {
        std::cout << RenderUsage();
        return 0;
    }
    if (parsed.options->version) {
        std::cout << "quirl32-render " << kQuirl32Version << "\n";
        return 0;
    }
    return RunRender(*parsed.options, std::cout, std::cerr);
}
