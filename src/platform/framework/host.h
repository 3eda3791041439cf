#pragma once
// The backend: everything that needs a real desktop, or stands in for one.
// The Qt backend shows windows; the headless backend keeps everything in
// memory for tests and the renderer. The framework calls only this, and the
// peers the backend gives its windows (window_peer.h).

#include "platform/docview/printinfo.h"
#include "platform/docview/shell_file_type.h"
#include "platform/drawing/surface.h"

class CWnd;
class CView;
class CDialog;
class CMDIFrameWnd;
class CMDIChildWnd;
class CToolBar;
class CStatusBar;
class CWinApp;
struct CREATESTRUCT;

class Host {
public:
    virtual ~Host() = default;

    // Windows.
    virtual BOOL CreateMainFrame(CMDIFrameWnd* pFrame, UINT nIDResource) = 0;
    virtual BOOL CreateToolBar(CToolBar* pBar, CWnd* pParent) = 0;
    virtual BOOL LoadToolBar(CToolBar* pBar, UINT nIDResource) = 0;
    virtual BOOL CreateStatusBar(CStatusBar* pBar, CWnd* pParent) = 0;
    virtual BOOL SetIndicators(CStatusBar* pBar, const UINT* ids, int count) = 0;
    // Creating a window gives it its peer (CWnd::SetPeer); a set window's
    // view gets one too. cs holds the outer size of the set window; the view
    // fills its client area.
    virtual BOOL CreateChildFrame(CMDIChildWnd* pFrame, CView* pView, const CREATESTRUCT& cs) = 0;
    // The framework calls CMDIFrameWnd::OnActiveChildChanged after it activates
    // or destroys a child; a backend calls it when the user activates another.
    virtual void ActivateChildFrame(CMDIChildWnd* pFrame) = 0;
    virtual CMDIChildWnd* GetActiveChildFrame() = 0;
    // ID_WINDOW_CASCADE, ID_WINDOW_TILE_HORZ or ID_WINDOW_ARRANGE.
    virtual void ArrangeChildren(UINT nCommand) = 0;
    virtual void ShowControlBar(UINT nBarId, bool show) = 0;
    virtual bool IsControlBarVisible(UINT nBarId) = 0;
    // The menu bar follows the active window: the main frame's menu or the
    // document template's.
    virtual void SetMenu(CMDIFrameWnd* pFrame, UINT nIDResource) = 0;
    virtual void RecentFilesChanged() = 0;

    // Modal loops: no idle work runs while one is open.
    virtual BOOL TrackRubberBand(CWnd* pWnd, CPoint start, BOOL bAllowInvert, CRect& result) = 0;
    virtual long RunModalDialog(CDialog& dialog) = 0;
    virtual void EndDialog(CDialog& dialog, int nResult) = 0;
    virtual CString GetDialogItemText(const CDialog& dialog, int nID) = 0;
    virtual void SetDialogItemText(CDialog& dialog, int nID, const CString& text) = 0;
    virtual BOOL GetDialogItemRect(const CDialog& dialog, int nID, RECT& rect) = 0;
    virtual void SetDialogItemIcon(CDialog& dialog, int nID, UINT nIconId) = 0;
    virtual int MessageBox(const CString& text, const CString& caption, UINT nType) = 0;
    // File dialogs: filter as "Name (*.ext)|*.ext|All Files (*.*)|*.*".
    virtual BOOL PromptFileName(CString& path, BOOL bOpen, const CString& filter,
                                const CString& defaultExt) = 0;

    // Services.
    virtual void SetClipboardImage(const Surface& rgb) = 0;
    // The print dialog; FALSE when cancelled.
    virtual BOOL PrintDialog(CPrintInfo& info) = 0;
    // Prints the view's pages (OnBeginPrinting, OnPrint, OnEndPrinting) to the
    // printer, or shows them in a preview window when info.m_bPreview.
    virtual BOOL RunPrintJob(CView* pView, CPrintInfo& info) = 0;
    virtual void PrintSetupDialog() = 0;
    virtual void ShowHelp(UINT nCommand) = 0;
    // The desktop's shell: answer the open and print requests that later
    // starts of the program pass on, and register the document file type with
    // the desktop. A failure stays silent. Backends without a desktop leave
    // both alone.
    virtual void EnableShellOpen() {}
    virtual void RegisterShellFileTypes(const ShellFileType& type) { (void)type; }
    virtual CString GetProfileString(const CString& section, const CString& entry,
                                     const CString& defaultValue) = 0;
    virtual BOOL WriteProfileString(const CString& section, const CString& entry,
                                    const CString& value) = 0;

    // The message loop: calls app.OnIdle while it asks for more and nothing
    // is waiting; returns the exit code.
    virtual int RunMessageLoop(CWinApp& app) = 0;
    virtual void Quit(int exitCode) = 0;
    // Refresh enabled and checked states of the toolbar (idle count 0).
    virtual void UpdateToolBarStates() = 0;
};

// The backend in use. AfxGetHost aborts with a message when none is set;
// AfxTryGetHost returns nullptr instead.
Host& AfxGetHost();
Host* AfxTryGetHost();
void AfxSetHost(Host* pHost);
