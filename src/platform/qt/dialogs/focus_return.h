#pragma once
// Keyboard focus after a modal window: when the window closes, the window
// that was active before it is made active again and its focus widget gets
// the focus back. Window managers often do this by themselves; without one
// nobody does, and keys would go nowhere until a click.

#include <QPointer>
#include <QWidget>

class FocusReturn {
public:
    // owner stands in when no window of the program was active.
    explicit FocusReturn(QWidget* owner);
    ~FocusReturn();
    FocusReturn(const FocusReturn&) = delete;
    FocusReturn& operator=(const FocusReturn&) = delete;

private:
    QPointer<QWidget> m_window;
    QPointer<QWidget> m_focus;
};
