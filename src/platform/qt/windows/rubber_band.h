#pragma once
// The rubber-band tracker: a solid outline from the pressed point to the
// pointer, in a local event loop until the left button is released. Esc or
// the right button cancel.

#include <QRect>
#include <QRubberBand>

class IdlePump;

// A rubber band drawn as a plain one-pixel outline in the inverse of what
// lies under it, so that it shows on any picture.
class SolidRubberBand : public QRubberBand {
    Q_OBJECT
public:
    explicit SolidRubberBand(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

struct TrackResult {
    bool changed = false; // released after a drag; false when cancelled
    QRect rect;           // left, top, right, bottom in the widget's coordinates
};

// Tracks from start in widget. With allowInvert false the result is
// normalised (left <= right, top <= bottom).
TrackResult TrackRubberBand(QWidget* widget, QPoint start, bool allowInvert, IdlePump& pump);
