#pragma once
// A window message waiting in Qt's event queue. It names the window's peer:
// a window destroyed since the message was posted gets nothing.

#include "platform/framework/types.h"
#include "platform/qt/host/window_peers.h"

#include <QEvent>
#include <QPointer>

class PostedMessageEvent : public QEvent {
public:
    PostedMessageEvent(QtWindowPeer* peer, UINT message, WPARAM wParam, LPARAM lParam)
        : QEvent(QEvent::Type(Type())), m_peer(peer), m_message(message), m_wParam(wParam),
          m_lParam(lParam) {}
    static int Type() {
        static const int type = QEvent::registerEventType();
        return type;
    }

    QPointer<QtWindowPeer> m_peer;
    UINT m_message;
    WPARAM m_wParam;
    LPARAM m_lParam;
};
