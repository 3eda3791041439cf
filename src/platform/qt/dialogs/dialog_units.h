#pragma once
// Dialog units: x counts quarters of the dialog font's average character
// width, y eighths of its height.

#include "platform/framework/resources.h"

#include <QFont>
#include <QRect>

class DialogUnits {
public:
    explicit DialogUnits(const DialogTemplate& t);

    // The dialog font: a sans-serif face of the template's point size.
    const QFont& Font() const { return m_font; }
    int X(int du) const;
    int Y(int du) const;
    QRect Rect(int x, int y, int cx, int cy) const { return {X(x), Y(y), X(cx), Y(cy)}; }
    int BaseWidth() const { return m_baseWidth; }
    int BaseHeight() const { return m_baseHeight; }

private:
    QFont m_font;
    int m_baseWidth = 1;
    int m_baseHeight = 1;
};
