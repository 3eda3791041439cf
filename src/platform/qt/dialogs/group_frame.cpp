#include "platform/qt/dialogs/group_frame.h"

#include <QPainter>
#include <qdrawutil.h>

GroupFrame::GroupFrame(const QString& title, QWidget* parent) : QGroupBox(title, parent) {}

QRect GroupFrame::TitleRect() const {
    const QFontMetrics metrics = fontMetrics();
    // A little space on either side of the text, cut out of the edge.
    const int pad = metrics.horizontalAdvance(QLatin1Char(' ')) / 2 + 1;
    const int width = metrics.horizontalAdvance(title()) + 2 * pad;
    return QRect(metrics.averageCharWidth(), 0, title().isEmpty() ? 0 : width, metrics.height());
}

int GroupFrame::FrameTop() const {
    return fontMetrics().height() / 2;
}

void GroupFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // An etched rectangle, as dialogs have drawn group frames for long.
    qDrawShadeRect(&painter, rect().adjusted(0, FrameTop(), 0, 0), palette(), true, 1, 0);
    const QRect title = TitleRect();
    if (title.isEmpty())
        return;
    painter.fillRect(title, palette().brush(backgroundRole()));
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawText(title, Qt::AlignCenter | Qt::TextShowMnemonic, this->title());
}
