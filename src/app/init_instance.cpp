// Start-up of the application.

#include "app/main_frame.h"
#include "app/quirl32_app.h"
#include "app/set_doc_template.h"
#include "commands/resource_ids.h"
#include "commands/resources.h"
#include "platform/files/oledata.h"

BOOL CQuirl32App::InitInstance() {
    AfxSetResources(&Quirl32Resources());
    // Dialogs and message boxes take the desktop's own look: nothing to enable.
    SetRegistryKey("Quirl32");
    LoadStdProfileSettings(3);
    AddDocTemplate(NewSetDocTemplate());
    OleInitialize(nullptr);

    auto* pMainFrame = new CMainFrame;
    if (!pMainFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr,
                               nullptr)) {
        delete pMainFrame;
        return FALSE;
    }
    m_pMainWnd = pMainFrame;

    OnColorsStandard();
    pMainFrame->DragAcceptFiles();
    EnableShellOpen();
    RegisterShellFileTypes(TRUE);

    // The command line is read but a start always opens one new set.
    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    OnFileNew();

    pMainFrame->ShowWindow(m_nCmdShow);
    pMainFrame->UpdateWindow();
    return TRUE;
}
