#pragma once
// Windows: every frame, view and dialog is a CWnd. The native side is the
// window's peer, which the backend (Host) makes when the window is created
// and the CWnd owns; a CWnd asks it for its client size, its surface,
// repaints and message posting. Messages reach handlers through a message
// table.

#include "platform/drawing/dc.h"
#include "platform/framework/cmdtarget.h"
#include "platform/framework/window_peer.h"

#include <functional>
#include <map>
#include <memory>

class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND GetSafeHwnd() const { return m_bCreated ? HWND(const_cast<CWnd*>(this)) : nullptr; }
    static CWnd* FromHandle(HWND h) { return static_cast<CWnd*>(h); }
    bool IsCreated() const { return m_bCreated; }
    void SetCreated(bool created) { m_bCreated = created; }
    // The backend's side of the window; nullptr before it is created and
    // after it is destroyed.
    WindowPeer* Peer() const { return m_peer.get(); }
    void SetPeer(std::unique_ptr<WindowPeer> peer);
    // Destroys the native window (the peer); the CWnd itself stays.
    void DestroyWindow();

    void GetClientRect(RECT* pRect) const;
    // A context over the window's client surface, released with ReleaseDC.
    CDC* GetDC();
    int ReleaseDC(CDC* pDC);
    void InvalidateRgn(const void* pRgn, BOOL bErase = TRUE);
    void Invalidate(BOOL bErase = TRUE) { InvalidateRgn(nullptr, bErase); }
    void UpdateWindow();
    BOOL ShowWindow(int nCmdShow);
    void SetWindowText(const CString& text);
    void DragAcceptFiles(BOOL bAccept = TRUE);

    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    // Sends to every child window, at every level when bDeep.
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0,
                                  BOOL bDeep = TRUE, BOOL bOnlyPerm = TRUE);

    // The message table first, then DefWindowProc.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // Window tree, for descendants and routing.
    CWnd* GetParent() const { return m_pParent; }
    void SetParent(CWnd* parent);

    // Colour of a surface value on screen; palette indices resolve through the
    // window's palette. Views override it.
    virtual COLORREF ResolveColor(COLORREF value) const;

protected:
    void OnMessage(UINT message, std::function<LRESULT(WPARAM, LPARAM)> handler);

private:
    bool m_bCreated = false;
    std::unique_ptr<WindowPeer> m_peer;
    CWnd* m_pParent = nullptr;
    std::vector<CWnd*> m_children;
    std::map<UINT, std::function<LRESULT(WPARAM, LPARAM)>> m_messages;
};

// A context of a window's client area for the life of the object.
class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* pWnd);
};
