#pragma once
// The in-memory backend: windows without a screen, a message queue and idle
// loop that the caller drives step by step, and modal loops that answer from
// a script. Tests and the command-line renderer run the system on it.
//
// Window metrics. A set window of outer size cx x cy has a client area of
// (cx - 2 * kBorder) x (cy - 2 * kBorder - kCaption), at least 0 x 0: a border
// of 4 pixels on every side and a caption of 22 pixels, so the 260 x 260 set
// window has a 252 x 230 client area. The main window's client area, in which
// set windows are cascaded and tiled, is kMainClientWidth x kMainClientHeight.
// Dialog units are pixels times 6/4 across and 13/8 down (MS Sans Serif 8).
//
// Constructing a HeadlessHost makes it the framework's backend (AfxSetHost);
// destroying it unsets it again. It also sets the worker threads to none, so
// that steps compute on the interface thread until a caller asks for workers
// (AfxSetWorkerThreads).

#include "platform/framework/host.h"
#include "platform/framework/std_ids.h"
#include "platform/framework/window_peer.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class HeadlessHost : public Host {
public:
    static constexpr int kBorder = 4;
    static constexpr int kCaption = 22;
    static constexpr int kMainClientWidth = 1024;
    static constexpr int kMainClientHeight = 768;
    // Outer size of a set window whose frame asks for no size.
    static constexpr int kDefaultChildWidth = 400;
    static constexpr int kDefaultChildHeight = 300;
    static constexpr int kCascadeStep = 26;
    static constexpr int kDialogUnitX = 6;  // pixels per 4 horizontal dialog units
    static constexpr int kDialogUnitY = 13; // pixels per 8 vertical dialog units

    static CSize ClientSizeOf(int outerWidth, int outerHeight);

    HeadlessHost();
    ~HeadlessHost() override;
    HeadlessHost(const HeadlessHost&) = delete;
    HeadlessHost& operator=(const HeadlessHost&) = delete;

    // ---- Host -------------------------------------------------------------
    BOOL CreateMainFrame(CMDIFrameWnd* pFrame, UINT nIDResource) override;
    BOOL CreateToolBar(CToolBar* pBar, CWnd* pParent) override;
    BOOL LoadToolBar(CToolBar* pBar, UINT nIDResource) override;
    BOOL CreateStatusBar(CStatusBar* pBar, CWnd* pParent) override;
    BOOL SetIndicators(CStatusBar* pBar, const UINT* ids, int count) override;
    BOOL CreateChildFrame(CMDIChildWnd* pFrame, CView* pView, const CREATESTRUCT& cs) override;
    void ActivateChildFrame(CMDIChildWnd* pFrame) override;
    CMDIChildWnd* GetActiveChildFrame() override { return m_pActiveChild; }
    void ArrangeChildren(UINT nCommand) override;
    void ShowControlBar(UINT nBarId, bool show) override;
    bool IsControlBarVisible(UINT nBarId) override;
    void SetMenu(CMDIFrameWnd* pFrame, UINT nIDResource) override;
    void RecentFilesChanged() override {}

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

    void SetClipboardImage(const Surface& rgb) override;
    BOOL PrintDialog(CPrintInfo& info) override;
    BOOL RunPrintJob(CView* pView, CPrintInfo& info) override;
    void PrintSetupDialog() override {}
    void ShowHelp(UINT nCommand) override { m_helpRequests.push_back(nCommand); }
    CString GetProfileString(const CString& section, const CString& entry,
                             const CString& defaultValue) override;
    BOOL WriteProfileString(const CString& section, const CString& entry,
                            const CString& value) override;

    // Runs the pump below until Quit, or until nothing is queued, no paint is
    // due and the application wants no more idle calls.
    int RunMessageLoop(CWinApp& app) override;
    void Quit(int exitCode) override;
    void UpdateToolBarStates() override;

    // ---- The pump ---------------------------------------------------------
    // Handles every posted message and every due paint, in that order, until
    // none is left. Each handled message (not a paint) starts a new idle
    // period at count 0. Returns the number of messages handled.
    int PumpMessages();
    // The message loop: messages and paints first; when none is left,
    // app.OnIdle(count) with count 0, 1, 2, ... while it returns TRUE. A
    // message posted meanwhile is handled before the next idle call and the
    // count starts again at 0. When the application asks for no more while
    // workers still compute for it, the loop waits for them to wake it and
    // goes on with the count where it was. Stops after maxCalls idle calls,
    // at Quit, or when the application asks for no more and no worker will
    // wake it. Returns the idle calls made.
    int RunIdle(CWinApp& app, int maxCalls = 1000);
    // The same loop; TRUE when the application stopped asking for idle calls
    // (and nothing is queued) within maxCalls.
    BOOL PumpUntilIdle(CWinApp& app, int maxCalls = 100000);
    // The count the next idle call gets, and whether one is due.
    long NextIdleCount() const { return m_nIdleCount; }
    // Input from outside (a command, a resize) counts as a handled message:
    // the next idle call has count 0.
    void InputHandled() {
        m_nIdleCount = 0;
        m_bIdleDue = true;
    }
    // The longest single idle call so far, in milliseconds, and a new start.
    double LongestIdleCallMs() const { return m_longestIdleCallMs; }
    std::size_t QueuedMessageCount() const { return m_queue.size(); }
    // Posts to the window as CWnd::PostMessage does; a window that does not
    // exist gets nothing.
    void PostMessage(CWnd* pWnd, UINT message, WPARAM wParam, LPARAM lParam);
    bool IsPaintPending(const CWnd* pWnd) const;
    // A view's client surface, as its drawing contexts get it.
    Surface* GetWindowSurface(CWnd* pWnd);
    // Runs a pending paint of the window now.
    void Paint(CWnd* pWnd);
    // Open scripted modal loops (dialogs, message boxes, file prompts, the
    // tracker); idle calls while one is open are a fault and throw.
    bool IsInModalLoop() const { return m_nModalDepth > 0; }
    bool HasQuit() const { return m_bQuit; }

    // ---- Windows ----------------------------------------------------------
    // Registers a window the framework did not create (for a test's own view)
    // with a white client surface; marks it created and due for paint.
    void AttachWindow(CWnd* pWnd, int cx, int cy);
    // Resizes a view's client area: the surface keeps its top-left content and
    // grows white, the frame follows, WM_SIZE is sent and a paint is due.
    void SetViewClientSize(CWnd* pView, int cx, int cy, UINT nType = SIZE_RESTORED);
    // Resizes a set window by its outer size; its view follows.
    void SetChildFrameSize(CMDIChildWnd* pFrame, int cx, int cy);
    CRect GetChildFrameRect(const CMDIChildWnd* pFrame) const;
    // The renderer's low-memory mode: the views of set windows made from now
    // on keep no picture of their client area. Their drawing contexts draw
    // nowhere (GetWindowSurface gives nullptr); sizes, paints and messages
    // go on as before. What such a window shows is its view's off-screen
    // picture: the view writes both alike, and a paint copies the one onto
    // the other. Only a size change parts them, since the window keeps its
    // old content; KeepWindowPicture covers that.
    void SetWindowPicturesKept(bool keep) { m_bKeepWindowPictures = keep; }
    // From now on the window keeps its picture, starting from picture (which
    // should have the window's client size).
    void KeepWindowPicture(CWnd* pWnd, Surface picture);
    bool KeepsWindowPicture(const CWnd* pWnd) const;
    // Set windows, oldest first (the active one last).
    const std::vector<CMDIChildWnd*>& ChildFrames() const { return m_childOrder; }
    CMDIFrameWnd* MainFrame() const { return m_pMainFrame; }
    CString WindowText(const CWnd* pWnd) const;
    bool IsWindowVisible(const CWnd* pWnd) const;
    bool AcceptsFiles(const CWnd* pWnd) const;
    UINT CurrentMenu() const { return m_nMenu; }
    UINT LoadedToolBar() const { return m_nToolBar; }
    const std::vector<UINT>& StatusIndicators() const { return m_indicators; }

    // ---- Scripts and records of the modal loops ---------------------------
    // Rubber bands: each TrackRubberBand takes the next entry; nullopt, or an
    // empty queue, is a cancelled drag.
    void PushRubberBand(const CRect& result) { m_rubberBands.push_back(result); }
    void PushRubberBandCancel() { m_rubberBands.push_back(std::nullopt); }
    int RubberBandCalls() const { return m_nRubberBandCalls; }

    // Dialogs: a responder sees the dialog after OnInitDialog, may read and
    // set its controls (dialog.GetDlgItemText / SetDlgItemText), and returns
    // the button pressed: IDOK runs OnOK, IDCANCEL runs OnCancel, any other
    // value ends the dialog with it. Queued responders answer one dialog each,
    // before the standing one; with neither the dialog is cancelled.
    using DialogResponder = std::function<int(CDialog&)>;
    void PushDialogResponder(DialogResponder responder);
    const std::vector<UINT>& DialogsShown() const { return m_dialogsShown; }
    // The icon a dialog's control shows, 0 when none was set while it ran.
    UINT DialogItemIcon(const CDialog& dialog, int nID) const;

    // Message boxes are recorded; the answer is the next queued one, else
    // IDOK for an OK box and IDNO for a yes/no box.
    struct MessageBoxRecord {
        CString text;
        CString caption;
        UINT type = 0;
    };
    const std::vector<MessageBoxRecord>& MessageBoxes() const { return m_messageBoxes; }
    void ClearMessageBoxes() { m_messageBoxes.clear(); }
    void PushMessageBoxAnswer(int answer) { m_messageBoxAnswers.push_back(answer); }

    // File dialogs: each prompt takes the next queued name; nullopt or an
    // empty queue cancels.
    struct FilePrompt {
        CString initialPath;
        BOOL bOpen = FALSE;
        CString filter;
        CString defaultExt;
    };
    void PushFileName(const CString& path) { m_fileNames.push_back(path); }
    const std::vector<FilePrompt>& FilePrompts() const { return m_filePrompts; }

    // ---- Services ---------------------------------------------------------
    // The clipboard's picture, or nullptr when nothing was copied.
    const Surface* ClipboardImage() const { return m_clipboard ? &*m_clipboard : nullptr; }

    // Print dialogs answer TRUE (print) unless told otherwise.
    void SetPrintDialogAnswer(BOOL answer) { m_bPrintDialogAnswer = answer; }
    int PrintDialogs() const { return m_nPrintDialogs; }
    // A print job draws its pages on a surface of the view's client size;
    // page holds the colour values drawn, rgb the same resolved through the
    // view's ResolveColor at the end of the job.
    struct PrintJobRecord {
        Surface page;
        Surface rgb;
        BOOL bPreview = FALSE;
        BOOL bDirect = FALSE;
        CString printerName;
        CString outputFile;
        int pages = 0;
    };
    const std::vector<PrintJobRecord>& PrintJobs() const { return m_printJobs; }
    const std::vector<UINT>& HelpRequests() const { return m_helpRequests; }

    // The settings store, keyed by (section, entry).
    using SettingsMap = std::map<std::pair<CString, CString>, CString>;
    const SettingsMap& Settings() const { return m_settings; }
    SettingsMap& Settings() { return m_settings; }

    // ---- Command states ---------------------------------------------------
    struct CommandState {
        bool enabled = false;
        int check = 0;
    };
    // The state of a command as menus and toolbar see it now (the running
    // application's UpdateCommandUI).
    CommandState QueryCommand(UINT nID) const;
    // Issues a command as a menu item or accelerator would: only when enabled.
    BOOL SendCommand(UINT nID);
    // Toolbar button states from the last idle refresh.
    const std::map<UINT, CommandState>& ToolBarStates() const { return m_toolBarStates; }
    int ToolBarRefreshes() const { return m_nToolBarRefreshes; }

    // ---- Failures to simulate ---------------------------------------------
    enum class Failure { MainFrame, ToolBar, LoadToolBar, StatusBar, Indicators, ChildFrame };
    // The next creation of that kind fails (once per call).
    void FailNext(Failure what) { m_failures.push_back(what); }

private:
    enum class Kind { Main, Child, View, ToolBar, StatusBar, Other };
    // A window's peer holds all the host knows of the window. It tells the
    // host when it goes, and the host tells its peers when it goes first.
    class Window : public WindowPeer {
    public:
        Window(HeadlessHost& host, CWnd* owner, Kind kind);
        ~Window() override;

        void Show(int nCmdShow) override;
        void SetText(const CString& value) override { text = value; }
        CSize ClientSize() const override { return client; }
        Surface* WindowSurface() override;
        void Invalidate() override;
        void Update() override;
        void Post(UINT message, WPARAM wParam, LPARAM lParam) override;
        void DragAcceptFiles(bool accept) override { acceptsFiles = accept; }

        HeadlessHost* host;
        CWnd* owner;
        Kind kind;
        CSize client;
        CRect outer; // set windows: in the main window's client area
        Surface surface;
        bool hasSurface = false;
        bool keepsPicture = true; // surface holds the client area's picture
        bool paintPending = false;
        bool visible = false;
        bool acceptsFiles = false;
        CString text;
        CWnd* view = nullptr; // a set window's view
    };
    struct Posted {
        CWnd* wnd;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    struct DialogState {
        std::map<int, CString> texts;
        std::map<int, UINT> icons;
        bool ended = false;
        int result = IDCANCEL;
    };
    struct ModalScope {
        explicit ModalScope(int& depth) : m_depth(depth) { ++m_depth; }
        ~ModalScope() { --m_depth; }
        int& m_depth;
    };

    bool TakeFailure(Failure what);
    Window* Find(const CWnd* pWnd);
    const Window* Find(const CWnd* pWnd) const;
    // A peer going away: nothing may reach its window any more.
    void ForgetWindow(Window& window);
    void ResizeView(CWnd* pView, Window& view, int cx, int cy, UINT nType);
    // One posted message, else one paint: 1 message, 2 paint, 0 nothing.
    int HandleOne();
    int IdleLoop(CWinApp& app, int maxCalls, bool& ended);

    // The peers of this host's windows, oldest first.
    std::vector<Window*> m_peers;
    CMDIFrameWnd* m_pMainFrame = nullptr;
    std::vector<CMDIChildWnd*> m_childOrder;
    CMDIChildWnd* m_pActiveChild = nullptr;
    int m_nCascade = 0;
    UINT m_nMenu = 0;
    UINT m_nToolBar = 0;
    std::vector<UINT> m_indicators;
    std::map<UINT, bool> m_barVisible;

    std::deque<Posted> m_queue;
    long m_nIdleCount = 0;
    bool m_bIdleDue = true;
    std::uint64_t m_nWakesSeen = 0;
    double m_longestIdleCallMs = 0.0;
    int m_nModalDepth = 0;
    bool m_bQuit = false;
    int m_nExitCode = 0;

    std::deque<std::optional<CRect>> m_rubberBands;
    int m_nRubberBandCalls = 0;
    std::deque<DialogResponder> m_responders;
    std::vector<UINT> m_dialogsShown;
    std::map<const CDialog*, DialogState> m_dialogs;
    std::map<std::pair<const CDialog*, int>, UINT> m_lastIcons;
    std::vector<MessageBoxRecord> m_messageBoxes;
    std::deque<int> m_messageBoxAnswers;
    std::deque<std::optional<CString>> m_fileNames;
    std::vector<FilePrompt> m_filePrompts;

    std::optional<Surface> m_clipboard;
    BOOL m_bPrintDialogAnswer = TRUE;
    int m_nPrintDialogs = 0;
    std::vector<PrintJobRecord> m_printJobs;
    std::vector<UINT> m_helpRequests;
    SettingsMap m_settings;
    std::map<UINT, CommandState> m_toolBarStates;
    int m_nToolBarRefreshes = 0;
    std::vector<Failure> m_failures;
    bool m_bKeepWindowPictures = true;
};
