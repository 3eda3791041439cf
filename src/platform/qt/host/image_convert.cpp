#include "platform/qt/host/image_convert.h"

#include "platform/framework/wnd.h"

#include <array>

namespace {

// Resolves surface values, remembering the small palette indices and the
// last value: pictures are mostly runs of one colour.
class ColorResolver {
public:
    explicit ColorResolver(const CWnd* pWnd) : m_pWnd(pWnd) {}

    QRgb operator()(COLORREF value) {
        if (value == m_lastValue)
            return m_lastRgb;
        m_lastValue = value;
        m_lastRgb = Resolve(value);
        return m_lastRgb;
    }

private:
    QRgb Resolve(COLORREF value) {
        if (IsPaletteIndexColor(value)) {
            const int index = PaletteIndexOf(value);
            if (m_pWnd == nullptr)
                return qRgb(0, 0, 0);
            if (index < int(m_lut.size())) {
                if (!m_known[std::size_t(index)]) {
                    m_lut[std::size_t(index)] = ColorrefToRgb(m_pWnd->ResolveColor(value));
                    m_known[std::size_t(index)] = true;
                }
                return m_lut[std::size_t(index)];
            }
        }
        return ColorrefToRgb(m_pWnd != nullptr ? m_pWnd->ResolveColor(value) : value);
    }

    const CWnd* m_pWnd;
    std::array<QRgb, 256> m_lut{};
    std::array<bool, 256> m_known{};
    COLORREF m_lastValue = 0xFFFFFFFFu;
    QRgb m_lastRgb = 0;
};

} // namespace

QImage SurfaceToImage(const Surface& surface, const CWnd* pResolver) {
    if (surface.Width() <= 0 || surface.Height() <= 0)
        return {};
    QImage image(surface.Width(), surface.Height(), QImage::Format_RGB32);
    ColorResolver resolve(pResolver);
    for (int y = 0; y < surface.Height(); ++y) {
        const COLORREF* in = surface.Row(y);
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < surface.Width(); ++x)
            out[x] = resolve(in[x]);
    }
    return image;
}

QImage BitmapToImage(const BitmapResource& bitmap) {
    if (bitmap.width <= 0 || bitmap.height <= 0)
        return {};
    QImage image(bitmap.width, bitmap.height, QImage::Format_ARGB32);
    for (int y = 0; y < bitmap.height; ++y) {
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < bitmap.width; ++x) {
            const std::size_t i = std::size_t(y) * std::size_t(bitmap.width) + std::size_t(x);
            const COLORREF c = i < bitmap.pixels.size() ? bitmap.pixels[i] : kTransparentPixel;
            out[x] = c == kTransparentPixel ? qRgba(0, 0, 0, 0) : ColorrefToRgb(c);
        }
    }
    return image;
}

QImage StripImage(const BitmapResource& strip, int index, int width, int height) {
    const QImage all = BitmapToImage(strip);
    if (all.isNull())
        return {};
    return all.copy(index * width, 0, width, height);
}
