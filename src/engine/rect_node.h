#pragma once
// One pending rectangle of the recursion, inclusive bounds.

#include <cstdint>

struct RectNode {
    std::int32_t left = 0;
    std::int32_t right = 0;
    std::int32_t top = 0;
    std::int32_t bottom = 0;
    RectNode* next = nullptr;
};
