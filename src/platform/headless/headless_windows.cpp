#include "platform/headless/headless_host.h"

#include "platform/framework/bars.h"
#include "platform/framework/frame.h"
#include "platform/runtime/work_beside.h"

#include <algorithm>
#include <memory>
#include <utility>

CSize HeadlessHost::ClientSizeOf(int outerWidth, int outerHeight) {
    return CSize{std::max(0, outerWidth - 2 * kBorder),
                 std::max(0, outerHeight - 2 * kBorder - kCaption)};
}

HeadlessHost::HeadlessHost() {
    AfxSetHost(this);
    // Steps compute on the interface thread unless workers are asked for.
    AfxSetWorkerThreads(0);
}

HeadlessHost::~HeadlessHost() {
    // Windows that outlive the host keep their peers, which no longer call it.
    for (Window* peer : m_peers)
        peer->host = nullptr;
    if (AfxTryGetHost() == this)
        AfxSetHost(nullptr);
}

HeadlessHost::Window::Window(HeadlessHost& host_, CWnd* owner_, Kind kind_)
    : host(&host_), owner(owner_), kind(kind_) {
    host->m_peers.push_back(this);
}

HeadlessHost::Window::~Window() {
    if (host != nullptr)
        host->ForgetWindow(*this);
}

void HeadlessHost::Window::Show(int nCmdShow) {
    visible = nCmdShow != 0;
}

Surface* HeadlessHost::Window::WindowSurface() {
    return hasSurface && keepsPicture ? &surface : nullptr;
}

void HeadlessHost::Window::Invalidate() {
    if (hasSurface)
        paintPending = true;
}

void HeadlessHost::Window::Update() {
    if (host != nullptr)
        host->Paint(owner);
}

void HeadlessHost::Window::Post(UINT message, WPARAM wParam, LPARAM lParam) {
    if (host != nullptr)
        host->m_queue.push_back(Posted{owner, message, wParam, lParam});
}

bool HeadlessHost::TakeFailure(Failure what) {
    auto it = std::find(m_failures.begin(), m_failures.end(), what);
    if (it == m_failures.end())
        return false;
    m_failures.erase(it);
    return true;
}

HeadlessHost::Window* HeadlessHost::Find(const CWnd* pWnd) {
    auto* w = pWnd != nullptr ? dynamic_cast<Window*>(pWnd->Peer()) : nullptr;
    return w != nullptr && w->host == this ? w : nullptr;
}

const HeadlessHost::Window* HeadlessHost::Find(const CWnd* pWnd) const {
    return const_cast<HeadlessHost*>(this)->Find(pWnd);
}

BOOL HeadlessHost::CreateMainFrame(CMDIFrameWnd* pFrame, UINT nIDResource) {
    if (pFrame == nullptr || TakeFailure(Failure::MainFrame))
        return FALSE;
    auto w = std::make_unique<Window>(*this, pFrame, Kind::Main);
    w->client = CSize{kMainClientWidth, kMainClientHeight};
    pFrame->SetPeer(std::move(w));
    m_pMainFrame = pFrame;
    m_nMenu = nIDResource;
    return TRUE;
}

BOOL HeadlessHost::CreateToolBar(CToolBar* pBar, CWnd*) {
    if (pBar == nullptr || TakeFailure(Failure::ToolBar))
        return FALSE;
    auto w = std::make_unique<Window>(*this, pBar, Kind::ToolBar);
    w->visible = true;
    pBar->SetPeer(std::move(w));
    m_barVisible[AFX_IDW_TOOLBAR] = true;
    return TRUE;
}

BOOL HeadlessHost::LoadToolBar(CToolBar*, UINT nIDResource) {
    if (TakeFailure(Failure::LoadToolBar))
        return FALSE;
    m_nToolBar = nIDResource;
    return TRUE;
}

BOOL HeadlessHost::CreateStatusBar(CStatusBar* pBar, CWnd*) {
    if (pBar == nullptr || TakeFailure(Failure::StatusBar))
        return FALSE;
    auto w = std::make_unique<Window>(*this, pBar, Kind::StatusBar);
    w->visible = true;
    pBar->SetPeer(std::move(w));
    m_barVisible[AFX_IDW_STATUS_BAR] = true;
    return TRUE;
}

BOOL HeadlessHost::SetIndicators(CStatusBar*, const UINT* ids, int count) {
    if (TakeFailure(Failure::Indicators) || ids == nullptr || count < 0)
        return FALSE;
    m_indicators.assign(ids, ids + count);
    return TRUE;
}

BOOL HeadlessHost::CreateChildFrame(CMDIChildWnd* pFrame, CView* pView, const CREATESTRUCT& cs) {
    if (pFrame == nullptr || TakeFailure(Failure::ChildFrame))
        return FALSE;
    const int cx = cs.cx > 0 ? cs.cx : kDefaultChildWidth;
    const int cy = cs.cy > 0 ? cs.cy : kDefaultChildHeight;
    // New set windows cascade from the top-left corner of the main window.
    const int at = (m_nCascade++ % 10) * kCascadeStep;
    auto frame = std::make_unique<Window>(*this, pFrame, Kind::Child);
    frame->outer = CRect(at, at, at + cx, at + cy);
    frame->client = ClientSizeOf(cx, cy);
    frame->visible = true;
    frame->view = pView;
    const CSize client = frame->client;
    pFrame->SetPeer(std::move(frame));
    m_childOrder.push_back(pFrame);
    if (pView != nullptr) {
        auto view = std::make_unique<Window>(*this, pView, Kind::View);
        view->client = client;
        view->hasSurface = true;
        view->keepsPicture = m_bKeepWindowPictures;
        if (view->keepsPicture)
            view->surface = Surface(client.cx, client.cy);
        view->visible = true;
        view->paintPending = true;
        pView->SetPeer(std::move(view));
        pView->SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.cx, client.cy));
    }
    return TRUE;
}

void HeadlessHost::ForgetWindow(Window& window) {
    m_peers.erase(std::remove(m_peers.begin(), m_peers.end(), &window), m_peers.end());
    const CWnd* pWnd = window.owner;
    // Nothing may reach a window that is gone.
    m_queue.erase(std::remove_if(m_queue.begin(), m_queue.end(),
                                 [pWnd](const Posted& p) { return p.wnd == pWnd; }),
                  m_queue.end());
    if (window.kind == Kind::Child) {
        const auto same = [pWnd](const CMDIChildWnd* frame) {
            return static_cast<const CWnd*>(frame) == pWnd;
        };
        m_childOrder.erase(std::remove_if(m_childOrder.begin(), m_childOrder.end(), same),
                           m_childOrder.end());
        // The set window below the closed one becomes active.
        if (m_pActiveChild != nullptr && same(m_pActiveChild))
            m_pActiveChild = m_childOrder.empty() ? nullptr : m_childOrder.back();
    } else if (window.kind == Kind::Main) {
        m_pMainFrame = nullptr;
    }
}

void HeadlessHost::ActivateChildFrame(CMDIChildWnd* pFrame) {
    auto it = std::find(m_childOrder.begin(), m_childOrder.end(), pFrame);
    if (it == m_childOrder.end())
        return;
    m_childOrder.erase(it);
    m_childOrder.push_back(pFrame);
    m_pActiveChild = pFrame;
}

void HeadlessHost::KeepWindowPicture(CWnd* pWnd, Surface picture) {
    Window* w = Find(pWnd);
    if (w == nullptr || !w->hasSurface)
        return;
    w->surface = std::move(picture);
    if (w->surface.Width() != w->client.cx || w->surface.Height() != w->client.cy)
        w->surface.Resize(w->client.cx, w->client.cy);
    w->keepsPicture = true;
}

bool HeadlessHost::KeepsWindowPicture(const CWnd* pWnd) const {
    const Window* w = Find(pWnd);
    return w != nullptr && w->hasSurface && w->keepsPicture;
}

void HeadlessHost::ArrangeChildren(UINT nCommand) {
    if (nCommand == ID_WINDOW_CASCADE) {
        int at = 0;
        for (CMDIChildWnd* frame : m_childOrder) {
            if (Window* w = Find(frame))
                w->outer = CRect(at, at, at + w->outer.Width(), at + w->outer.Height());
            at += kCascadeStep;
        }
    } else if (nCommand == ID_WINDOW_TILE_HORZ && !m_childOrder.empty()) {
        // One row per set window, each the full width of the main window.
        const int n = int(m_childOrder.size());
        const std::vector<CMDIChildWnd*> frames = m_childOrder;
        for (int i = 0; i < n; ++i) {
            const int top = kMainClientHeight * i / n;
            const int bottom = kMainClientHeight * (i + 1) / n;
            Window* w = Find(frames[std::size_t(i)]);
            if (w == nullptr)
                continue;
            w->outer = CRect(0, top, kMainClientWidth, bottom);
            SetChildFrameSize(frames[std::size_t(i)], kMainClientWidth, bottom - top);
        }
    }
}

void HeadlessHost::ShowControlBar(UINT nBarId, bool show) {
    m_barVisible[nBarId] = show;
}

bool HeadlessHost::IsControlBarVisible(UINT nBarId) {
    auto it = m_barVisible.find(nBarId);
    return it != m_barVisible.end() && it->second;
}

void HeadlessHost::SetMenu(CMDIFrameWnd*, UINT nIDResource) {
    m_nMenu = nIDResource;
}

void HeadlessHost::AttachWindow(CWnd* pWnd, int cx, int cy) {
    if (pWnd == nullptr)
        return;
    auto w = std::make_unique<Window>(*this, pWnd, Kind::Other);
    w->client = CSize{std::max(cx, 0), std::max(cy, 0)};
    w->surface = Surface(w->client.cx, w->client.cy);
    w->hasSurface = true;
    w->visible = true;
    w->paintPending = true;
    pWnd->SetPeer(std::move(w));
    pWnd->SetCreated(true);
}

void HeadlessHost::ResizeView(CWnd* pView, Window& view, int cx, int cy, UINT nType) {
    view.client = CSize{std::max(cx, 0), std::max(cy, 0)};
    if (view.hasSurface && view.keepsPicture)
        view.surface.Resize(view.client.cx, view.client.cy);
    view.paintPending = view.hasSurface;
    pView->SendMessage(WM_SIZE, nType, MAKELPARAM(view.client.cx, view.client.cy));
}

void HeadlessHost::SetViewClientSize(CWnd* pView, int cx, int cy, UINT nType) {
    Window* view = Find(pView);
    if (view == nullptr)
        return;
    InputHandled();
    // The set window holding the view grows or shrinks with it.
    for (CMDIChildWnd* frame : m_childOrder) {
        Window* f = Find(frame);
        if (f == nullptr || f->view != pView)
            continue;
        f->client = CSize{std::max(cx, 0), std::max(cy, 0)};
        f->outer.right = f->outer.left + f->client.cx + 2 * kBorder;
        f->outer.bottom = f->outer.top + f->client.cy + 2 * kBorder + kCaption;
    }
    ResizeView(pView, *view, cx, cy, nType);
}

void HeadlessHost::SetChildFrameSize(CMDIChildWnd* pFrame, int cx, int cy) {
    Window* frame = Find(pFrame);
    if (frame == nullptr)
        return;
    InputHandled();
    frame->outer.right = frame->outer.left + cx;
    frame->outer.bottom = frame->outer.top + cy;
    frame->client = ClientSizeOf(cx, cy);
    if (frame->view != nullptr)
        if (Window* view = Find(frame->view))
            ResizeView(frame->view, *view, frame->client.cx, frame->client.cy, SIZE_RESTORED);
}

CRect HeadlessHost::GetChildFrameRect(const CMDIChildWnd* pFrame) const {
    const Window* w = Find(pFrame);
    return w != nullptr ? w->outer : CRect();
}

CString HeadlessHost::WindowText(const CWnd* pWnd) const {
    const Window* w = Find(pWnd);
    return w != nullptr ? w->text : CString();
}

bool HeadlessHost::IsWindowVisible(const CWnd* pWnd) const {
    const Window* w = Find(pWnd);
    return w != nullptr && w->visible;
}

bool HeadlessHost::AcceptsFiles(const CWnd* pWnd) const {
    const Window* w = Find(pWnd);
    return w != nullptr && w->acceptsFiles;
}
