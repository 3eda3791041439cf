#pragma once
// Frame windows: the main window holding set windows, and the set windows.

#include "platform/docview/view.h"

class CDocument;
class CMDIChildWnd;
class CToolBar;
class CStatusBar;

constexpr UINT WS_OVERLAPPEDWINDOW = 0x00CF0000;
constexpr UINT FWS_ADDTOTITLE = 0x00008000;
constexpr UINT CBRS_ALIGN_ANY = 0xF000;

class CFrameWnd : public CWnd {
public:
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual CView* GetActiveView() const { return nullptr; }
    virtual CDocument* GetActiveDocument() const;
    void EnableDocking(UINT dwDockStyle);
    void DockControlBar(CToolBar* pBar);
    // Refreshes the title: "<app name> - <active document title>".
    virtual void OnUpdateFrameTitle();
};

class CMDIChildWnd : public CFrameWnd {
public:
    CView* GetActiveView() const override { return m_pView; }
    void SetView(CView* pView) { m_pView = pView; }
    void MDIActivate();
    // Closes the set window: destroys the native window, deletes the view, the
    // document with its last view, and this frame. Do not use the frame after.
    void MDIDestroy();

private:
    CView* m_pView = nullptr;
};

class CMDIFrameWnd : public CFrameWnd {
public:
    CMDIFrameWnd();
    // Creates the window with the menu, accelerators and icon of nIDResource.
    virtual BOOL LoadFrame(UINT nIDResource, UINT dwDefaultStyle, CWnd* pParentWnd, void* pContext);
    // The WM_CREATE step of LoadFrame: 0 to go on, -1 to fail.
    virtual int OnCreate(void* lpCreateStruct);
    CMDIChildWnd* MDIGetActive() const;
    CView* GetActiveView() const override;
    UINT GetMenuResource() const { return m_nIDResource; }
    // The active set window changed (or the last one closed): the menu bar and
    // the title follow it.
    void OnActiveChildChanged();

    // The framework's window commands: cascade, tile, arrange, bar toggles.
    void OnWindowCascade();
    void OnWindowTile();
    void OnWindowArrange();
    void OnViewToolbar();
    void OnViewStatusBar();

protected:
    UINT m_nIDResource = 0;
};
