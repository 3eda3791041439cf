#pragma once
// One run of the renderer: a headless backend, the application with its
// main window, and the one set window.

#include "app/quirl32_app.h"
#include "engine/compute_stats.h"
#include "platform/framework/frame.h"
#include "platform/headless/headless_host.h"
#include "render/render_options.h"
#include "view/quirl32_view.h"

#include <memory>
#include <optional>
#include <ostream>

class RenderSession {
public:
    // keepWindowPicture: the set window keeps a picture of its own beside the
    // view's off-screen one, as on the desktop; otherwise it keeps none and
    // Picture() is the off-screen one, which holds the same.
    RenderSession(std::ostream& err, bool keepWindowPicture);
    ~RenderSession();
    RenderSession(const RenderSession&) = delete;
    RenderSession& operator=(const RenderSession&) = delete;

    // Chooses the scheme for the windows to come.
    void SetScheme(PaletteScheme scheme);
    // A new set, or the set file, in a set window of this client size, with
    // its initial update and first paint; false when the file cannot be read.
    bool OpenSet(const std::string& file, int width, int height);
    // The idle loop, as the window runs it, until the view has no work or has
    // taken steps more steps (the random method: kRandomDefaultSteps unless
    // told), with threads workers computing ahead of the steps (0: every
    // step computes on the interface thread). Adds what was done to stats.
    void Compute(std::optional<long> steps, int threads, ComputeStats& stats);
    // Runs a command as the user would; false, with a message, when the
    // command is disabled at this moment.
    bool Run(const RenderCommand& command);

    // Reports the message boxes shown since the last call; true when there were any.
    bool ReportMessages();

    // What the set window shows: palette-index and plain colours, client size;
    // nullptr without a picture.
    const Surface* Picture();

    CQuirl32View* View() const { return m_pView; }
    CQuirl32Doc* Document() const { return m_pView != nullptr ? m_pView->m_pDoc : nullptr; }
    HeadlessHost& Host() { return m_host; }

private:
    const Surface* OffscreenPicture() const;
    bool RunCommand(UINT id, const std::string& text);
    // A command or a size change handled as a message starts a new idle period.
    void EndOfInput();

    std::ostream& m_err;
    HeadlessHost m_host;
    CQuirl32App m_app;
    std::unique_ptr<CMDIFrameWnd> m_pFrame;
    CQuirl32View* m_pView = nullptr;
    std::size_t m_nMessagesReported = 0;
};
