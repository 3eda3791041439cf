#pragma once
// An inclusive pixel rectangle of the recursion.

struct PixelRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};
