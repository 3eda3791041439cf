#include "render/picture_text.h"

#include "doc/quirl32_doc.h"
#include "version.h"

#include <cstdio>
#include <string>

namespace {

std::string Exact(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", v);
    return text;
}

} // namespace

std::vector<PngText> PictureText(const CQuirl32Doc& doc) {
    return {
        {"Software", std::string("Quirl32 ") + kQuirl32Version},
        {"Quirl32 xMin", Exact(doc.m_extents.xMin)},
        {"Quirl32 xMax", Exact(doc.m_extents.xMax)},
        {"Quirl32 yMin", Exact(doc.m_extents.yMin)},
        {"Quirl32 yMax", Exact(doc.m_extents.yMax)},
        {"Quirl32 iterations", std::to_string(doc.m_nIterations)},
        {"Quirl32 random points", std::to_string(doc.m_nRandomPoints)},
    };
}
