#include "platform/qt/windows/view_widget.h"

#include "platform/docview/view.h"
#include "platform/qt/host/guarded_call.h"
#include "platform/qt/host/image_convert.h"

#include <QMouseEvent>
#include <QPainter>

constexpr WPARAM MK_LBUTTON = 0x0001;

ViewWidget::ViewWidget(CView* pView, QWidget* parent) : QWidget(parent), m_pView(pView) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
    setMinimumSize(0, 0);
}

QSize ViewWidget::ClientSize() const {
    return m_minimized ? QSize(0, 0) : size();
}

Surface& ViewWidget::WindowSurface() {
    EnsureSurface();
    return m_surface;
}

void ViewWidget::EnsureSurface() {
    const QSize size = ClientSize();
    if (m_surface.Width() != size.width() || m_surface.Height() != size.height())
        m_surface = Surface(size.width(), size.height());
}

void ViewWidget::SetWindowState(Qt::WindowStates state) {
    const bool minimized = state.testFlag(Qt::WindowMinimized);
    m_maximized = state.testFlag(Qt::WindowMaximized);
    if (minimized == m_minimized)
        return;
    m_minimized = minimized;
    EnsureSurface();
    if (!m_minimized)
        Invalidate(true);
    NotifySize();
}

void ViewWidget::Invalidate(bool erase) {
    EnsureSurface();
    if (erase)
        m_surface.Fill(0, 0, m_surface.Width(), m_surface.Height(), kWhite);
    m_needsPaint = true;
    update();
}

void ViewWidget::FlushPaint() {
    if (!m_needsPaint || m_pView == nullptr || m_minimized)
        return;
    m_needsPaint = false;
    GuardedCall([this] { m_pView->OnPaint(); });
    update();
}

QImage ViewWidget::Picture() const {
    return SurfaceToImage(m_surface, m_pView);
}

void ViewWidget::paintEvent(QPaintEvent*) {
    if (isVisible())
        FlushPaint();
    QPainter painter(this);
    const QImage picture = Picture();
    if (!picture.isNull())
        painter.drawImage(0, 0, picture);
    // Beyond the surface (only while a resize is on its way): white.
    if (picture.width() < width())
        painter.fillRect(picture.width(), 0, width() - picture.width(), height(), Qt::white);
    if (picture.height() < height())
        painter.fillRect(0, picture.height(), width(), height() - picture.height(), Qt::white);
}

void ViewWidget::resizeEvent(QResizeEvent*) {
    if (m_minimized)
        return;
    // A resized window is erased and repainted as a whole.
    if (ClientSize() != m_notified)
        Invalidate(true);
    NotifySize();
}

void ViewWidget::NotifySize() {
    const QSize size = ClientSize();
    if (size == m_notified || m_pView == nullptr)
        return;
    m_notified = size;
    const UINT type = m_minimized ? SIZE_MINIMIZED : m_maximized ? SIZE_MAXIMIZED : SIZE_RESTORED;
    GuardedCall(
        [&] { m_pView->SendMessage(WM_SIZE, type, MAKELPARAM(size.width(), size.height())); });
}

void ViewWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || m_pView == nullptr)
        return;
    const QPoint p = event->position().toPoint();
    GuardedCall(
        [&] { m_pView->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x(), p.y())); });
}

// The second click of a double-click is no new press: the view ignores it.
void ViewWidget::mouseDoubleClickEvent(QMouseEvent*) {}
