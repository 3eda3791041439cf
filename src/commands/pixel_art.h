#pragma once
// Small pictures drawn in code: rows of characters, each naming a colour of
// a legend, and the little Mandelbrot sets of the program's icons.

#include "platform/framework/resources.h"

#include <map>
#include <string>
#include <vector>

// '.' is see-through unless the legend says otherwise. Every row must have
// the same length; a character missing from the legend is see-through.
BitmapResource BitmapFromRows(const std::vector<std::string>& rows,
                              const std::map<char, COLORREF>& legend);

// Pictures side by side, all of the same height, as one strip.
BitmapResource JoinStrip(const std::vector<BitmapResource>& images);

// The set over [xMin, xMax] x [yMin, yMax] at size x size pixels: black
// inside, colour bands outside, see-through where a point escapes at once.
BitmapResource MandelbrotIcon(int size, double xMin, double xMax, double yMin, double yMax,
                              int iterations);

// The colours the pictures use.
const std::map<char, COLORREF>& PixelArtLegend();
