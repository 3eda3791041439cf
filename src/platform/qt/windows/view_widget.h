#pragma once
// The widget of a set view: it owns the view's window surface at client
// size and presents it. A paint request (Invalidate, first show, resize)
// runs the view's OnPaint before the surface is shown; drawing done through
// the window's context is shown at the next presentation.

#include "platform/drawing/surface.h"
#include "platform/framework/types.h"

#include <QImage>
#include <QWidget>

class CView;

class ViewWidget : public QWidget {
    Q_OBJECT
public:
    ViewWidget(CView* pView, QWidget* parent = nullptr);

    CView* View() const { return m_pView; }
    // The view is going away: no more calls into it.
    void Detach() { m_pView = nullptr; }

    // The window surface, at the widget's size.
    Surface& WindowSurface();
    // The client size; empty while the child window is minimised.
    QSize ClientSize() const;

    // The child window's state: minimised windows have no client area.
    void SetWindowState(Qt::WindowStates state);
    // Tells the view its first size, as a new window does while it is made.
    void NotifyCreated() { NotifySize(); }

    // Due for OnPaint; erase clears the surface to white first.
    void Invalidate(bool erase = false);
    bool NeedsPaint() const { return m_needsPaint; }
    // Runs a pending OnPaint now.
    void FlushPaint();
    // The surface may have changed: show it soon.
    void MarkChanged() { m_changed = true; }
    bool TakeChanged() {
        const bool c = m_changed;
        m_changed = false;
        return c;
    }
    // The window surface as shown.
    QImage Picture() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void NotifySize();
    void EnsureSurface();

    CView* m_pView;
    Surface m_surface;
    bool m_needsPaint = true;
    bool m_changed = false;
    bool m_minimized = false;
    bool m_maximized = false;
    QSize m_notified{-1, -1};
};
