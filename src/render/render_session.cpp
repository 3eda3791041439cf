#include "render/render_session.h"

#include "app/set_doc_template.h"
#include "commands/resource_ids.h"
#include "commands/resources.h"
#include "platform/framework/dialog.h"
#include "platform/runtime/crt_rand.h"
#include "platform/runtime/work_beside.h"

#include <algorithm>
#include <chrono>
#include <climits>

RenderSession::RenderSession(std::ostream& err, bool keepWindowPicture) : m_err(err) {
    m_host.SetWindowPicturesKept(keepWindowPicture);
    AfxSetResources(&Quirl32Resources());
    // Every run draws the same random points, as every start of the program does.
    crt::srand(1);
    m_app.AddDocTemplate(NewSetDocTemplate());
    m_pFrame = std::make_unique<CMDIFrameWnd>();
    if (m_pFrame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, nullptr, nullptr))
        m_app.m_pMainWnd = m_pFrame.get();
}

RenderSession::~RenderSession() {
    m_app.CloseAllDocuments();
    m_app.m_pMainWnd = nullptr;
    m_pFrame.reset();
}

void RenderSession::SetScheme(PaletteScheme scheme) {
    const UINT ids[] = {ID_COLORS_STANDARD, ID_COLORS_GRAYSCALE, ID_COLORS_BW};
    m_host.SendCommand(ids[scheme]);
}

bool RenderSession::OpenSet(const std::string& file, int width, int height) {
    if (file.empty())
        m_app.OnFileNew();
    else if (m_app.OpenDocumentFile(file) == nullptr)
        return false;
    CMDIChildWnd* child = m_host.GetActiveChildFrame();
    m_pView = child != nullptr ? dynamic_cast<CQuirl32View*>(child->GetActiveView()) : nullptr;
    if (m_pView == nullptr)
        return false;
    m_host.SetViewClientSize(m_pView, width, height);
    EndOfInput();
    m_host.PumpMessages();
    return true;
}

void RenderSession::Compute(std::optional<long> steps, int threads, ComputeStats& stats) {
    using Clock = std::chrono::steady_clock;
    // The window's idle loop, with its workers; 0 computes every step on the
    // interface thread.
    AfxSetWorkerThreads(threads);
    // Whatever input is pending is handled first, as the idle loop would.
    m_host.RunIdle(m_app, 0);
    long limit = LONG_MAX;
    if (steps)
        limit = *steps;
    else if (m_pView != nullptr && m_pView->m_nMethod == Random)
        limit = kRandomDefaultSteps;
    const std::int64_t iterationsBefore = m_pView != nullptr ? m_pView->m_nKernelIterations : 0;
    const std::int64_t stepsBefore = m_pView != nullptr ? m_pView->m_nStepsTaken : 0;
    const Clock::time_point start = Clock::now();
    // One idle call at a time, so that the count of steps stops where asked;
    // while the view waits for the workers, the loop sleeps.
    while (m_pView == nullptr || m_pView->m_nStepsTaken - stepsBefore < limit) {
        if (m_host.RunIdle(m_app, 1) == 0)
            break;
    }
    stats.totalMs += std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    stats.longestStepMs = std::max(stats.longestStepMs, m_host.LongestIdleCallMs());
    if (m_pView != nullptr) {
        stats.steps += m_pView->m_nStepsTaken - stepsBefore;
        stats.iterations += m_pView->m_nKernelIterations - iterationsBefore;
    }
}

void RenderSession::EndOfInput() {
    if (m_pView != nullptr)
        m_host.PostMessage(m_pView, 0, 0, 0);
}

bool RenderSession::RunCommand(UINT id, const std::string& text) {
    if (!m_host.QueryCommand(id).enabled) {
        m_err << "quirl32-render: --do " << text << ": the command is disabled at this moment\n";
        return false;
    }
    m_host.SendCommand(id);
    EndOfInput();
    return true;
}

bool RenderSession::Run(const RenderCommand& c) {
    switch (c.kind) {
    case RenderCommand::Unzoom:
        return RunCommand(ID_SET_UNZOOM, c.text);
    case RenderCommand::Undo:
        return RunCommand(ID_EDIT_UNDO, c.text);
    case RenderCommand::Compute:
        return RunCommand(ID_SET_COMPUTE, c.text);
    case RenderCommand::Stop:
        return RunCommand(ID_SET_STOP, c.text);
    case RenderCommand::Zoom: {
        // The drag from (L, T) to (R, B).
        m_host.PushRubberBand(CRect(c.rect[0], c.rect[1], c.rect[2], c.rect[3]));
        if (m_pView != nullptr)
            m_pView->SendMessage(WM_LBUTTONDOWN, 0, MAKELPARAM(c.rect[0], c.rect[1]));
        EndOfInput();
        return true;
    }
    case RenderCommand::Iterations: {
        const struct {
            const char* text;
            UINT id;
        } presets[] = {{"50", ID_ITER_50},   {"100", ID_ITER_100}, {"120", ID_ITER_120},
                       {"150", ID_ITER_150}, {"200", ID_ITER_200}, {"255", ID_ITER_255}};
        for (const auto& p : presets)
            if (c.iterations == p.text)
                return RunCommand(p.id, c.text);
        const std::string typed = c.iterations;
        m_host.PushDialogResponder([typed](CDialog& dlg) {
            dlg.SetDlgItemText(IDC_ITERATIONS, typed);
            return IDOK;
        });
        return RunCommand(ID_ITER_OTHER, c.text);
    }
    case RenderCommand::Specify: {
        const auto fields = c.fields;
        m_host.PushDialogResponder([fields](CDialog& dlg) {
            dlg.SetDlgItemText(IDC_REAL_FROM, fields[0]);
            dlg.SetDlgItemText(IDC_REAL_TO, fields[1]);
            dlg.SetDlgItemText(IDC_IMAG_FROM, fields[2]);
            dlg.SetDlgItemText(IDC_IMAG_TO, fields[3]);
            dlg.SetDlgItemText(IDC_RANDOM_POINTS, fields[4]);
            return IDOK;
        });
        return RunCommand(ID_SET_SPECIFY, c.text);
    }
    case RenderCommand::Method: {
        const UINT ids[] = {ID_METHOD_RECURSION, ID_METHOD_LINESCAN, ID_METHOD_RANDOM};
        return RunCommand(ids[c.method], c.text);
    }
    case RenderCommand::Scheme: {
        const UINT ids[] = {ID_COLORS_STANDARD, ID_COLORS_GRAYSCALE, ID_COLORS_BW};
        return RunCommand(ids[c.scheme], c.text);
    }
    case RenderCommand::Resize:
        if (m_pView != nullptr) {
            // The window keeps its old content where the new off-screen
            // picture starts out white: from here on it needs its own.
            const Surface* offscreen = OffscreenPicture();
            if (!m_host.KeepsWindowPicture(m_pView) && offscreen != nullptr)
                m_host.KeepWindowPicture(m_pView, *offscreen);
            m_host.SetViewClientSize(m_pView, c.width, c.height);
        }
        EndOfInput();
        return true;
    }
    return false;
}

const Surface* RenderSession::OffscreenPicture() const {
    if (m_pView == nullptr || m_pView->m_pMemDC == nullptr)
        return nullptr;
    return m_pView->m_pMemDC->GetSurface();
}

const Surface* RenderSession::Picture() {
    if (m_pView == nullptr)
        return nullptr;
    if (m_host.KeepsWindowPicture(m_pView))
        return m_host.GetWindowSurface(m_pView);
    return OffscreenPicture();
}

bool RenderSession::ReportMessages() {
    const auto& boxes = m_host.MessageBoxes();
    bool any = false;
    for (; m_nMessagesReported < boxes.size(); ++m_nMessagesReported) {
        m_err << "quirl32-render: " << boxes[m_nMessagesReported].text << "\n";
        any = true;
    }
    return any;
}
