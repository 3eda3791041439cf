#include "platform/qt/dialogs/dialog_units.h"

#include <QFontMetrics>

namespace {

// du * base / divisor, rounded to the nearest pixel.
int Scale(int du, int base, int divisor) {
    const long long n = static_cast<long long>(du) * base;
    return int(n >= 0 ? (n + divisor / 2) / divisor : -((-n + divisor / 2) / divisor));
}

} // namespace

DialogUnits::DialogUnits(const DialogTemplate& t)
    : m_font(QStringLiteral("Sans Serif"), t.fontPointSize > 0 ? t.fontPointSize : 8) {
    m_font.setStyleHint(QFont::SansSerif);
    const QFontMetrics fm(m_font);
    // The average width of the 52 letters, rounded up to a whole pixel.
    const int letters = fm.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    m_baseWidth = std::max(1, (letters / 26 + 1) / 2);
    m_baseHeight = std::max(1, fm.height());
}

int DialogUnits::X(int du) const {
    return Scale(du, m_baseWidth, 4);
}

int DialogUnits::Y(int du) const {
    return Scale(du, m_baseHeight, 8);
}
