#pragma once
// Pictures between the framework and Qt: surfaces and resource bitmaps to
// QImage.

#include "platform/drawing/surface.h"
#include "platform/framework/resources.h"

#include <QImage>

class CWnd;

// Palette-index values resolve through the window's palette; plain values
// are RGB. Without a window, palette indices come out black.
QImage SurfaceToImage(const Surface& surface, const CWnd* pResolver);

// A resource bitmap with its see-through pixels transparent.
QImage BitmapToImage(const BitmapResource& bitmap);

// Image number index of a strip of images standing side by side.
QImage StripImage(const BitmapResource& strip, int index, int width, int height);

inline QRgb ColorrefToRgb(COLORREF c) {
    return qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
}
