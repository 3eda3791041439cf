#pragma once
// The application object: start-up hooks, the idle hook, the recent-file
// list, settings, document templates and command routing.

#include "platform/docview/doctemplate.h"

#include <memory>
#include <vector>

constexpr UINT HELP_INDEX = 0x0003;
constexpr UINT HELP_HELPONHELP = 0x0004;
constexpr int SW_SHOW = 5;
constexpr int SW_SHOWNORMAL = 1;

class CCommandLineInfo {
public:
    enum Shell { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppUnregister, FileNothing };
    Shell m_nShellCommand = FileNew;
    CString m_strFileName;
    CString m_strPrinterName;
    std::vector<CString> m_files;
};

class CWinApp : public CCmdTarget {
public:
    CWinApp();
    ~CWinApp() override;

    virtual BOOL InitInstance() { return TRUE; }
    virtual int ExitInstance();
    // The framework's idle work: at count 0 it refreshes command states of the
    // bars and asks for one more call; from count 1 on it asks for none.
    virtual BOOL OnIdle(long lCount);
    // Runs the backend's message loop until the main window closes.
    virtual int Run();

    void SetRegistryKey(const CString& key);
    void LoadStdProfileSettings(UINT nMaxMRU = 4);
    void SaveStdProfileSettings();
    void AddDocTemplate(CDocTemplate* pTemplate);
    CDocTemplate* GetFirstDocTemplate() const;
    void EnableShellOpen();
    void RegisterShellFileTypes(BOOL bCompat = FALSE);
    // Reads m_commandLine: options start with '-', every other argument is a
    // file; "--print-to" takes the printer's name as its value, and "--" ends
    // the options.
    void ParseCommandLine(CCommandLineInfo& info);
    // The shell's requests, which a later start of the program passes on:
    // opens each named file in a set window (or brings it to the front when
    // it is open already). Returns the documents, in order; a file that could
    // not be opened is left out, the framework has said why.
    std::vector<CDocument*> OpenShellFiles(const CCommandLineInfo& request);
    // Activates the document's first set window and issues the direct print
    // command (ID_FILE_PRINT_DIRECT) there, without the print dialog; a
    // print-to request's printer goes to the print job. FALSE when the
    // document is not open or has no view.
    BOOL PrintShellDocument(CDocument* pDoc, const CCommandLineInfo& request);
    // Whether the document is still open: a request may wait while the user
    // closes windows.
    BOOL IsDocumentOpen(const CDocument* pDoc) const;
    // Closes every document with its window, without asking.
    void CloseAllDocuments();

    // The framework's command handlers.
    void OnFileNew();
    void OnFileOpen();
    void OnFilePrintSetup();
    void OnAppExit();
    BOOL OnOpenRecentFile(UINT nID);
    CDocument* OpenDocumentFile(const CString& pathName);

    // The recent-file list, newest first.
    void AddToRecentFileList(const CString& pathName);
    const std::vector<CString>& GetRecentFiles() const { return m_recentFiles; }

    CString GetProfileString(const CString& section, const CString& entry,
                             const CString& defaultValue = "");
    BOOL WriteProfileString(const CString& section, const CString& entry, const CString& value);
    int GetProfileInt(const CString& section, const CString& entry, int defaultValue);

    void WinHelp(DWORD dwData, UINT nCmd);

    // Command routing: the active view, its document, the child frame, the
    // application and the main frame; with no set window, the main frame and
    // then the application.
    BOOL RouteCmdMsg(UINT nID, CCmdUI* pCmdUI);
    // Fills ui by the route; a command no target handles comes out disabled.
    void UpdateCommandUI(UINT nID, CCmdUI& ui);
    // Runs a command only when it is enabled. An exception that leaves the
    // handler is shown in a message box and the program goes on.
    BOOL ExecuteCommand(UINT nID);

    CWnd* m_pMainWnd = nullptr;
    // The shell request being carried out, while a print request prints.
    const CCommandLineInfo* m_pCmdInfo = nullptr;
    // The program's arguments without the program name; main() fills it.
    std::vector<CString> m_commandLine;
    int m_nCmdShow = SW_SHOWNORMAL;
    CString m_pszAppName = "Quirl32";
    CString m_pszRegistryKey;
    UINT m_nMaxMRU = 0;
    int m_nPreviewPages = 0;

private:
    std::vector<std::unique_ptr<CDocTemplate>> m_templates;
    std::vector<CString> m_recentFiles;
};

CWinApp* AfxGetApp();
