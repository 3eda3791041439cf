#include "platform/qt/dialogs/focus_return.h"

#include <QApplication>

FocusReturn::FocusReturn(QWidget* owner)
    : m_window(QApplication::activeWindow()), m_focus(QApplication::focusWidget()) {
    if (!m_window) {
        m_window = owner != nullptr ? owner->window() : nullptr;
        m_focus = m_window ? m_window->focusWidget() : nullptr;
    }
}

FocusReturn::~FocusReturn() {
    if (!m_window || !m_window->isVisible())
        return;
    // A modal window still open (this one was nested in it) keeps the focus.
    if (QWidget* modal = QApplication::activeModalWidget(); modal != nullptr && modal != m_window)
        return;
    m_window->activateWindow();
    if (m_focus && m_focus->window() == m_window && m_focus->isVisible())
        m_focus->setFocus(Qt::ActiveWindowFocusReason);
}
