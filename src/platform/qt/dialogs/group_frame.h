#pragma once
// A group box drawn as a dialog template means it: the rectangle is the
// frame, whose top edge runs through the middle of the title, and the title
// sits on that edge near its left end, on the dialog's background. The
// style's own group box puts the title above the frame instead, which does
// not fit the template's rectangles.

#include <QGroupBox>

class GroupFrame : public QGroupBox {
    Q_OBJECT
public:
    GroupFrame(const QString& title, QWidget* parent);

    // Where the title goes and the top edge of the frame, in the widget.
    QRect TitleRect() const;
    int FrameTop() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};
