#include "platform/headless/headless_host.h"

#include "platform/docview/view.h"
#include "platform/docview/winapp.h"
#include "platform/framework/resources.h"

void HeadlessHost::SetClipboardImage(const Surface& rgb) {
    m_clipboard = rgb;
}

BOOL HeadlessHost::PrintDialog(CPrintInfo&) {
    ModalScope modal(m_nModalDepth);
    ++m_nPrintDialogs;
    return m_bPrintDialogAnswer;
}

BOOL HeadlessHost::RunPrintJob(CView* pView, CPrintInfo& info) {
    if (pView == nullptr)
        return FALSE;
    const Window* window = Find(pView);
    const CSize size = window != nullptr ? window->client : CSize{};
    PrintJobRecord job;
    job.page = Surface(size.cx, size.cy);
    job.bPreview = info.m_bPreview;
    job.bDirect = info.m_bDirect;
    job.printerName = info.m_strPrinterName;
    job.outputFile = info.m_strOutputFile;
    {
        CDC dc(&job.page);
        dc.SetOwnerWindow(pView);
        pView->OnBeginPrinting(&dc, &info);
        for (UINT page = info.GetMinPage(); page <= info.GetMaxPage(); ++page) {
            info.m_nCurPage = page;
            pView->OnPrint(&dc, &info);
            ++job.pages;
        }
        pView->OnEndPrinting(&dc, &info);
    }
    job.rgb = Surface(size.cx, size.cy);
    for (int y = 0; y < size.cy; ++y)
        for (int x = 0; x < size.cx; ++x)
            job.rgb.Set(x, y, pView->ResolveColor(job.page.Get(x, y)));
    m_printJobs.push_back(std::move(job));
    return TRUE;
}

CString HeadlessHost::GetProfileString(const CString& section, const CString& entry,
                                       const CString& defaultValue) {
    auto it = m_settings.find({section, entry});
    return it != m_settings.end() ? it->second : defaultValue;
}

BOOL HeadlessHost::WriteProfileString(const CString& section, const CString& entry,
                                      const CString& value) {
    m_settings[{section, entry}] = value;
    return TRUE;
}

HeadlessHost::CommandState HeadlessHost::QueryCommand(UINT nID) const {
    CommandState state;
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return state;
    CCmdUI ui(nID);
    app->UpdateCommandUI(nID, ui);
    state.enabled = ui.m_bEnabled != FALSE;
    state.check = ui.m_nCheck;
    return state;
}

BOOL HeadlessHost::SendCommand(UINT nID) {
    // A command arrives as a message: the next idle period starts at count 0.
    InputHandled();
    CWinApp* app = AfxGetApp();
    return app != nullptr ? app->ExecuteCommand(nID) : FALSE;
}

void HeadlessHost::UpdateToolBarStates() {
    ++m_nToolBarRefreshes;
    const auto& toolbars = AfxGetResources().toolbars;
    auto it = toolbars.find(m_nToolBar);
    if (it == toolbars.end())
        return;
    for (UINT id : it->second.buttons)
        if (id != ID_SEPARATOR)
            m_toolBarStates[id] = QueryCommand(id);
}
