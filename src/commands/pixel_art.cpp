// Small pictures drawn at start: pixel-art strips for the toolbar, and the
// icons.

#include "commands/pixel_art.h"

#include "commands/resource_ids.h"
#include "commands/resources.h"

#include <algorithm>

const std::map<char, COLORREF>& PixelArtLegend() {
    static const std::map<char, COLORREF> legend = {
        {'.', kTransparentPixel},  {'k', RGB(0, 0, 0)},       {'w', RGB(255, 255, 255)},
        {'g', RGB(128, 128, 128)}, {'l', RGB(192, 192, 192)}, {'D', RGB(64, 64, 64)},
        {'y', RGB(255, 255, 0)},   {'d', RGB(128, 128, 0)},   {'r', RGB(255, 0, 0)},
        {'m', RGB(128, 0, 0)},     {'G', RGB(0, 160, 0)},     {'e', RGB(0, 96, 0)},
        {'c', RGB(0, 255, 255)},   {'b', RGB(0, 0, 255)},     {'n', RGB(0, 0, 128)},
        {'v', RGB(180, 0, 255)},   {'o', RGB(255, 160, 0)},
    };
    return legend;
}

BitmapResource BitmapFromRows(const std::vector<std::string>& rows,
                              const std::map<char, COLORREF>& legend) {
    BitmapResource b;
    b.height = int(rows.size());
    for (const std::string& row : rows)
        b.width = std::max(b.width, int(row.size()));
    b.pixels.assign(std::size_t(b.width) * std::size_t(b.height), kTransparentPixel);
    for (int y = 0; y < b.height; ++y) {
        const std::string& row = rows[std::size_t(y)];
        for (int x = 0; x < int(row.size()); ++x) {
            const auto it = legend.find(row[std::size_t(x)]);
            b.pixels[std::size_t(y) * std::size_t(b.width) + std::size_t(x)] =
                it != legend.end() ? it->second : kTransparentPixel;
        }
    }
    return b;
}

BitmapResource JoinStrip(const std::vector<BitmapResource>& images) {
    BitmapResource strip;
    for (const BitmapResource& image : images) {
        strip.width += image.width;
        strip.height = std::max(strip.height, image.height);
    }
    strip.pixels.assign(std::size_t(strip.width) * std::size_t(strip.height), kTransparentPixel);
    int left = 0;
    for (const BitmapResource& image : images) {
        for (int y = 0; y < image.height; ++y)
            for (int x = 0; x < image.width; ++x)
                strip.pixels[std::size_t(y) * std::size_t(strip.width) + std::size_t(left + x)] =
                    image.pixels[std::size_t(y) * std::size_t(image.width) + std::size_t(x)];
        left += image.width;
    }
    return strip;
}

namespace {

// A ramp from deep blue over cyan and yellow to white.
COLORREF BandColor(int n, int iterations) {
    static const COLORREF ramp[] = {RGB(0, 0, 128),   RGB(0, 64, 255),  RGB(0, 200, 255),
                                    RGB(255, 255, 0), RGB(255, 128, 0), RGB(255, 255, 255)};
    const int count = int(sizeof ramp / sizeof ramp[0]);
    const int i = std::min(count - 1, n * count / std::max(1, iterations / 2));
    return ramp[i];
}

} // namespace

BitmapResource MandelbrotIcon(int size, double xMin, double xMax, double yMin, double yMax,
                              int iterations) {
    BitmapResource b;
    b.width = size;
    b.height = size;
    b.pixels.assign(std::size_t(size) * std::size_t(size), kTransparentPixel);
    for (int py = 0; py < size; ++py) {
        for (int px = 0; px < size; ++px) {
            const double cr = xMin + (px + 0.5) * (xMax - xMin) / size;
            const double ci = yMin + (py + 0.5) * (yMax - yMin) / size;
            double zr = 0.0;
            double zi = 0.0;
            int n = 0;
            while (n < iterations && zr * zr + zi * zi <= 4.0) {
                const double t = zr * zr - zi * zi + cr;
                zi = 2.0 * zr * zi + ci;
                zr = t;
                ++n;
            }
            COLORREF c = kTransparentPixel;
            if (n >= iterations)
                c = RGB(0, 0, 0);
            else if (n > 2)
                c = BandColor(n, iterations);
            b.pixels[std::size_t(py) * std::size_t(size) + std::size_t(px)] = c;
        }
    }
    return b;
}

// The icons: the program's (128), the set windows' (129) and the About box's
// alternative (107), each a small Mandelbrot set drawn at start.
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
