#pragma once
// The desktop backend on Qt Widgets: the main window with its MDI area,
// menus, toolbar and status bar, set windows, template dialogs, the
// rubber-band tracker, message and file dialogs, clipboard, printing, help,
// settings and the idle loop.

#include "platform/framework/host.h"
#include "platform/qt/host/idle_pump.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>

class CCmdUI;
class ChildWindow;
class HelpWindow;
class MainWindow;
class MenuSet;
class PrintSupport;
class QMenu;
class QShortcut;
class StatusBar;
class TemplateDialog;
class ToolBar;
class ViewWidget;

class QtHost : public QObject, public Host {
    Q_OBJECT
public:
    QtHost();
    ~QtHost() override;

    // Windows.
    BOOL CreateMainFrame(CMDIFrameWnd* pFrame, UINT nIDResource) override;
    BOOL CreateToolBar(CToolBar* pBar, CWnd* pParent) override;
    BOOL LoadToolBar(CToolBar* pBar, UINT nIDResource) override;
    BOOL CreateStatusBar(CStatusBar* pBar, CWnd* pParent) override;
    BOOL SetIndicators(CStatusBar* pBar, const UINT* ids, int count) override;
    BOOL CreateChildFrame(CMDIChildWnd* pFrame, CView* pView, const CREATESTRUCT& cs) override;
    void ActivateChildFrame(CMDIChildWnd* pFrame) override;
    CMDIChildWnd* GetActiveChildFrame() override;
    void ArrangeChildren(UINT nCommand) override;
    void ShowControlBar(UINT nBarId, bool show) override;
    bool IsControlBarVisible(UINT nBarId) override;
    void SetMenu(CMDIFrameWnd* pFrame, UINT nIDResource) override;
    void RecentFilesChanged() override;

    // Modal loops.
    BOOL TrackRubberBand(CWnd* pWnd, CPoint start, BOOL bAllowInvert, CRect& result) override;
    long RunModalDialog(CDialog& dialog) override;
    void EndDialog(CDialog& dialog, int nResult) override;
    CString GetDialogItemText(const CDialog& dialog, int nID) override;
    void SetDialogItemText(CDialog& dialog, int nID, const CString& text) override;
    BOOL GetDialogItemRect(const CDialog& dialog, int nID, RECT& rect) override;
    void SetDialogItemIcon(CDialog& dialog, int nID, UINT nIconId) override;
    int MessageBox(const CString& text, const CString& caption, UINT nType) override;
    BOOL PromptFileName(CString& path, BOOL bOpen, const CString& filter,
                        const CString& defaultExt) override;

    // Services.
    void SetClipboardImage(const Surface& rgb) override;
    BOOL PrintDialog(CPrintInfo& info) override;
    BOOL RunPrintJob(CView* pView, CPrintInfo& info) override;
    void PrintSetupDialog() override;
    void ShowHelp(UINT nCommand) override;
    CString GetProfileString(const CString& section, const CString& entry,
                             const CString& defaultValue) override;
    BOOL WriteProfileString(const CString& section, const CString& entry,
                            const CString& value) override;
    int RunMessageLoop(CWinApp& app) override;
    void Quit(int exitCode) override;
    void UpdateToolBarStates() override;

    // For the program's own hooks and the tests.
    MainWindow* Main() const;
    ToolBar* Tools() const;
    StatusBar* Status() const;
    MenuSet& Menus() { return *m_menus; }
    IdlePump& Pump() { return m_pump; }
    HelpWindow* Help() const;
    PrintSupport& Printing();
    ViewWidget* ViewWidgetOf(const CWnd* pView) const;
    ChildWindow* ChildWindowOf(const CWnd* pFrame) const;
    CSize GetClientSize(const CWnd* pWnd) const;
    TemplateDialog* DialogOf(const CDialog& dialog) const;
    // Runs a command as menus, buttons and shortcuts do.
    void ExecuteCommand(UINT id);

    // For the window peers: the main window's own title, and drawing done
    // on a view's surface, shown at the next presentation.
    void SetMainTitle(const QString& title);
    void PresentSoon();

signals:
    // An idle call asked for no more work.
    void idleDone();

protected:
    bool event(QEvent* event) override;

private:
    QWidget* Owner() const;
    void UpdateCommandState(UINT id, CCmdUI& ui);
    void CreateShortcuts(UINT nIDResource);
    void CreateWindowShortcuts();
    void ShowWindowList(QMenu* menu);
    // The view widgets of the set windows in the workspace.
    QList<ViewWidget*> Views() const;
    // The frames of the main window and of a set window while they have
    // their peers: not yet while they are made, no more once destroyed.
    CMDIFrameWnd* MainFrame() const;
    CMDIChildWnd* FrameOf(const ChildWindow* child) const;
    void FlushPaints();
    void PresentChangedViews();
    void ChildActivated(ChildWindow* child);
    void ApplyMainTitle();

    IdlePump m_pump;
    std::unique_ptr<MenuSet> m_menus;
    std::unique_ptr<PrintSupport> m_print;
    QPointer<MainWindow> m_main;
    QPointer<ToolBar> m_toolBar;
    QPointer<StatusBar> m_statusBar;
    QPointer<HelpWindow> m_help;
    std::vector<QShortcut*> m_shortcuts;
    bool m_presentScheduled = false;
    QString m_mainTitle;
    QElapsedTimer m_lockKeysRead;
};
