// The icons: the program's (128), the set windows' (129) and the About box's
// alternative (107), each a small Mandelbrot set drawn at start.

#include "commands/pixel_art.h"
#include "commands/resource_ids.h"
#include "commands/resources.h"

void AddIconResources(ResourceTable& table) {
    // The whole set.
    table.icons[IDR_MAINFRAME] = MandelbrotIcon(32, -2.1, 0.7, -1.4, 1.4, 40);
    // A set window: the set on a white sheet with a frame.
    BitmapResource sheet = MandelbrotIcon(32, -2.3, 0.9, -1.6, 1.6, 40);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            COLORREF& p = sheet.pixels[std::size_t(y) * 32 + std::size_t(x)];
            if (x == 0 || y == 0 || x == 31 || y == 31)
                p = RGB(0, 0, 0);
            else if (y < 5)
                p = RGB(0, 0, 128);
            else if (p == kTransparentPixel)
                p = RGB(255, 255, 255);
        }
    table.icons[IDR_QUIRL3TYPE] = sheet;
    // A spiral of the valley between the two largest bulbs.
    table.icons[IDI_ABOUT_ALTERNATE] = MandelbrotIcon(32, -0.80, -0.70, 0.05, 0.15, 120);
}
