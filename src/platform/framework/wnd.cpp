#include "platform/framework/wnd.h"

#include "platform/files/exceptions.h"
#include "platform/framework/host.h"
#include "platform/framework/msgbox.h"
#include "platform/framework/window_peer.h"

#include <algorithm>

CWnd::~CWnd() {
    DestroyWindow();
    for (CWnd* child : m_children)
        child->m_pParent = nullptr;
    m_children.clear();
    SetParent(nullptr);
}

void CWnd::SetPeer(std::unique_ptr<WindowPeer> peer) {
    DestroyWindow();
    m_peer = std::move(peer);
}

void CWnd::DestroyWindow() {
    // The peer is gone before its destructor runs: whatever that calls
    // finds the window destroyed already.
    std::unique_ptr<WindowPeer> peer = std::move(m_peer);
    m_bCreated = false;
    peer.reset();
}

void CWnd::SetParent(CWnd* parent) {
    if (parent == m_pParent)
        return;
    if (m_pParent != nullptr) {
        auto& siblings = m_pParent->m_children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
    m_pParent = parent;
    if (parent != nullptr)
        parent->m_children.push_back(this);
}

void CWnd::GetClientRect(RECT* pRect) const {
    if (pRect == nullptr)
        return;
    CSize size;
    if (m_peer != nullptr)
        size = m_peer->ClientSize();
    *pRect = RECT{0, 0, size.cx, size.cy};
}

CDC* CWnd::GetDC() {
    return new CClientDC(this);
}

int CWnd::ReleaseDC(CDC* pDC) {
    if (pDC == nullptr)
        return 0;
    delete pDC;
    return 1;
}

void CWnd::InvalidateRgn(const void*, BOOL) {
    if (m_peer != nullptr)
        m_peer->Invalidate();
}

void CWnd::UpdateWindow() {
    if (m_peer != nullptr)
        m_peer->Update();
}

BOOL CWnd::ShowWindow(int nCmdShow) {
    if (m_peer != nullptr)
        m_peer->Show(nCmdShow);
    return TRUE;
}

void CWnd::SetWindowText(const CString& text) {
    if (m_bCreated && m_peer != nullptr)
        m_peer->SetText(text);
}

void CWnd::DragAcceptFiles(BOOL bAccept) {
    if (m_peer != nullptr)
        m_peer->DragAcceptFiles(bAccept != FALSE);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // Like a real queue, a window that does not exist gets nothing.
    if (m_peer == nullptr)
        return FALSE;
    m_peer->Post(message, wParam, lParam);
    return TRUE;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return WindowProc(message, wParam, lParam);
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep,
                                    BOOL bOnlyPerm) {
    // A handler may open or close windows: walk a copy of the list.
    const std::vector<CWnd*> children = m_children;
    for (CWnd* child : children) {
        if (std::find(m_children.begin(), m_children.end(), child) == m_children.end())
            continue;
        child->SendMessage(message, wParam, lParam);
        if (bDeep)
            child->SendMessageToDescendants(message, wParam, lParam, bDeep, bOnlyPerm);
    }
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    auto it = m_messages.find(message);
    if (it == m_messages.end())
        return DefWindowProc(message, wParam, lParam);
    // An exception leaving a handler is reported and the program goes on.
    try {
        return it->second(wParam, lParam);
    } catch (...) {
        AfxMessageBox(AfxHandledExceptionText("Internal application error."));
    }
    return 0;
}

LRESULT CWnd::DefWindowProc(UINT, WPARAM, LPARAM) {
    return 0;
}

COLORREF CWnd::ResolveColor(COLORREF value) const {
    // A window without a palette shows palette entries as black.
    return IsPaletteIndexColor(value) ? kBlack : (value & 0x00FFFFFFu);
}

void CWnd::OnMessage(UINT message, std::function<LRESULT(WPARAM, LPARAM)> handler) {
    m_messages[message] = std::move(handler);
}

CClientDC::CClientDC(CWnd* pWnd) {
    if (pWnd == nullptr)
        return;
    if (WindowPeer* peer = pWnd->Peer())
        SetSurface(peer->WindowSurface());
    SetOwnerWindow(pWnd);
}
