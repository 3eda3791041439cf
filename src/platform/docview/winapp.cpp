#include "platform/docview/winapp.h"

#include "platform/framework/host.h"
#include "platform/framework/std_ids.h"

namespace {
CWinApp* g_pApp = nullptr;
}

CWinApp* AfxGetApp() {
    return g_pApp;
}

CWinApp::CWinApp() {
    g_pApp = this;
    // The recent-file entries: each is enabled while the list holds it, so with
    // an empty list the first one, "Recent File", stays disabled.
    for (UINT i = 0; i < 16; ++i) {
        const UINT id = ID_FILE_MRU_FILE1 + i;
        OnCommand(id, [this, id] { OnOpenRecentFile(id); });
        OnUpdateCommandUI(id, [this, i](CCmdUI* pCmdUI) {
            pCmdUI->Enable(i < m_recentFiles.size() ? TRUE : FALSE);
        });
    }
    OnCommand(ID_APP_EXIT, [this] { OnAppExit(); });
}

CWinApp::~CWinApp() {
    if (g_pApp == this)
        g_pApp = nullptr;
}

int CWinApp::ExitInstance() {
    // Views may still need the application object while they close.
    CloseAllDocuments();
    SaveStdProfileSettings();
    return 0;
}

BOOL CWinApp::OnIdle(long lCount) {
    if (lCount != 0)
        return FALSE;
    if (Host* host = AfxTryGetHost())
        host->UpdateToolBarStates();
    return TRUE;
}

int CWinApp::Run() {
    const int code = AfxGetHost().RunMessageLoop(*this);
    const int exitCode = ExitInstance();
    return exitCode != 0 ? exitCode : code;
}

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate) {
    if (pTemplate != nullptr)
        m_templates.emplace_back(pTemplate);
}

CDocTemplate* CWinApp::GetFirstDocTemplate() const {
    return m_templates.empty() ? nullptr : m_templates.front().get();
}

void CWinApp::ParseCommandLine(CCommandLineInfo& info) {
    bool options = true;
    for (std::size_t i = 0; i < m_commandLine.size(); ++i) {
        const CString& arg = m_commandLine[i];
        if (options && !arg.empty() && arg.front() == '-') {
            if (arg == "--")
                options = false;
            else if (arg == "-dde" || arg == "--dde")
                info.m_nShellCommand = CCommandLineInfo::FileDDE;
            else if (arg == "-p" || arg == "--print")
                info.m_nShellCommand = CCommandLineInfo::FilePrint;
            else if (arg == "-pt" || arg == "--print-to") {
                // The printer's name follows the option: --print-to PRINTER FILE...
                info.m_nShellCommand = CCommandLineInfo::FilePrintTo;
                if (i + 1 < m_commandLine.size())
                    info.m_strPrinterName = m_commandLine[++i];
            }
            continue;
        }
        info.m_files.push_back(arg);
        if (info.m_strFileName.empty()) {
            info.m_strFileName = arg;
            if (info.m_nShellCommand == CCommandLineInfo::FileNew)
                info.m_nShellCommand = CCommandLineInfo::FileOpen;
        }
    }
}

void CWinApp::CloseAllDocuments() {
    for (auto& t : m_templates)
        t->CloseAllDocuments();
}

void CWinApp::WinHelp(DWORD, UINT nCmd) {
    AfxGetHost().ShowHelp(nCmd);
}
