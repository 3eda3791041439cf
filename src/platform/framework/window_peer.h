#pragma once
// The backend's side of one window. The backend makes it when the window is
// created and hands it to the CWnd, which owns it: the native window lives
// exactly as long as its peer, so nothing on the backend's side can outlive
// the window or be reached through a window that is gone.

#include "platform/drawing/surface.h"
#include "platform/framework/types.h"

class WindowPeer {
public:
    WindowPeer() = default;
    // Destroys the native window.
    virtual ~WindowPeer() = default;
    WindowPeer(const WindowPeer&) = delete;
    WindowPeer& operator=(const WindowPeer&) = delete;

    virtual void Show(int nCmdShow) { (void)nCmdShow; }
    virtual void SetText(const CString& text) { (void)text; }
    virtual CSize ClientSize() const { return {}; }
    // A view's client surface; nullptr for other windows.
    virtual Surface* WindowSurface() { return nullptr; }
    virtual void Invalidate() {}
    // Runs a pending paint at once.
    virtual void Update() {}
    // Queued; ends the wait for messages. A message still queued when the
    // peer goes is dropped.
    virtual void Post(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    virtual void DragAcceptFiles(bool accept) { (void)accept; }
};
