#pragma once
// The main window: a frame for set windows with the toolbar and the status
// bar. It answers the help commands and passes the palette messages on to
// the set views.

#include "platform/framework/bars.h"
#include "platform/framework/frame.h"

class CMainFrame : public CMDIFrameWnd {
public:
    CMainFrame();

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    int OnCreate(void* lpCreateStruct) override;

    void OnPaletteChanged(CWnd* pFocusWnd);
    BOOL OnQueryNewPalette();
    void OnHelpIndex();
    void OnHelpUsing();

    CStatusBar m_wndStatusBar;
    CToolBar m_wndToolBar;
};

// The status bar's panes: the message pane and the three key indicators.
extern const UINT indicators[4];
