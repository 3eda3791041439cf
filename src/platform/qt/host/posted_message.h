#pragma once
// A window message waiting in Qt's event queue.

#include "platform/framework/types.h"

#include <QEvent>

class CWnd;

class PostedMessageEvent : public QEvent {
public:
    PostedMessageEvent(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam)
        : QEvent(QEvent::Type(Type())), m_pWnd(pWnd), m_message(message), m_wParam(wParam),
          m_lParam(lParam) {}
    static int Type() {
        static const int type = QEvent::registerEventType();
        return type;
    }

    CWnd* m_pWnd;
    UINT m_message;
    WPARAM m_wParam;
    LPARAM m_lParam;
};
