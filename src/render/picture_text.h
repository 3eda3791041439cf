#pragma once
// What a rendered picture says about itself: the program that made it and
// the set it shows, enough to compute the picture again from the file alone.

#include "render/image_files.h"

#include <vector>

class CQuirl32Doc;

// Software "Quirl32 <version>", then the set's extents (17 significant
// digits, so that they read back exactly), its iteration limit and its
// random-point count, under the keys "Quirl32 xMin", "Quirl32 xMax",
// "Quirl32 yMin", "Quirl32 yMax", "Quirl32 iterations" and
// "Quirl32 random points".
std::vector<PngText> PictureText(const CQuirl32Doc& doc);
