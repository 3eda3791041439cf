#include "render/renderer.h"

#include "commands/resource_ids.h"
#include "platform/framework/dialog.h"
#include "platform/runtime/work_beside.h"
#include "render/image_files.h"
#include "render/picture_text.h"
#include "render/render_session.h"

#include <algorithm>
#include <cstdint>
#include <iomanip>
#include <new>
#include <vector>

bool DriveRender(RenderSession& session, const RenderOptions& options, ComputeStats& stats,
                 std::ostream& err) {
    session.SetScheme(options.scheme);
    if (!session.OpenSet(options.inputFile, options.width, options.height)) {
        if (!session.ReportMessages())
            err << "quirl32-render: cannot open " << options.inputFile << "\n";
        return false;
    }
    // A picture too large for the memory there is.
    if (session.ReportMessages())
        return false;
    if (options.method != Recursion) {
        RenderCommand method;
        method.kind = RenderCommand::Method;
        method.method = options.method;
        method.text = "method";
        session.Run(method);
    }
    const int threads = options.threads > 0 ? options.threads : AfxProcessorCount();
    session.Compute(options.steps, threads, stats);

    for (const RenderCommand& c : options.commands) {
        if (!session.Run(c) || session.ReportMessages())
            return false;
        session.Compute(options.steps, threads, stats);
        if (session.ReportMessages())
            return false;
    }
    return true;
}

namespace {

// The picture as the window shows it, palette indices resolved, a row at a time.
bool WritePicture(RenderSession& session, const std::string& path, std::ostream& err) {
    const CQuirl32View* view = session.View();
    const Surface* s = session.Picture();
    PngWriter png;
    bool ok =
        s != nullptr && png.Open(path, s->Width(), s->Height(), PictureText(*session.Document()));
    if (ok) {
        std::vector<std::uint32_t> row(std::size_t(s->Width()));
        for (int y = 0; ok && y < s->Height(); ++y) {
            const COLORREF* values = s->Row(y);
            for (int x = 0; x < s->Width(); ++x)
                row[std::size_t(x)] = view->ResolveColor(values[x]);
            ok = png.WriteRow(row.data());
        }
        ok = ok && png.Finish();
    }
    if (!ok)
        err << "quirl32-render: cannot write " << path << ": " << png.Error() << "\n";
    return ok;
}

bool WriteIndices(RenderSession& session, const std::string& path, std::ostream& err) {
    const Surface* s = session.Picture();
    PgmWriter pgm;
    bool ok = s != nullptr && pgm.Open(path, s->Width(), s->Height());
    if (ok) {
        std::vector<std::uint8_t> row(std::size_t(s->Width()));
        for (int y = 0; ok && y < s->Height(); ++y) {
            const COLORREF* values = s->Row(y);
            for (int x = 0; x < s->Width(); ++x) {
                const COLORREF c = values[x];
                row[std::size_t(x)] = IsPaletteIndexColor(c) && PaletteIndexOf(c) < 255
                                          ? std::uint8_t(PaletteIndexOf(c))
                                          : std::uint8_t(255);
            }
            ok = pgm.WriteRow(row.data());
        }
        ok = ok && pgm.Finish();
    }
    if (!ok)
        err << "quirl32-render: cannot write " << path << ": " << pgm.Error() << "\n";
    return ok;
}

void PrintInfo(RenderSession& session, std::ostream& out) {
    CString from, to, iterations, zoom, time;
    session.Host().PushDialogResponder([&](CDialog& dlg) {
        from = dlg.GetDlgItemText(IDC_INFO_FROM);
        to = dlg.GetDlgItemText(IDC_INFO_TO);
        iterations = dlg.GetDlgItemText(IDC_INFO_ITERATIONS);
        zoom = dlg.GetDlgItemText(IDC_INFO_ZOOM);
        time = dlg.GetDlgItemText(IDC_INFO_TIME);
        return IDOK;
    });
    session.Host().SendCommand(ID_SET_INFO);
    out << "From: " << from << "\nTo: " << to << "\nIterations: " << iterations
        << "\nZoom: " << zoom << "\nTime used: " << time << "\n";
}

int Render(const RenderOptions& options, std::ostream& out, std::ostream& err) {
    RenderSession session(err, options.keepWindowPicture);
    ComputeStats stats;
    if (!DriveRender(session, options, stats, err))
        return 1;

    bool ok = !session.ReportMessages();
    if (ok && !options.saveFile.empty()) {
        ok = session.Document()->OnSaveDocument(options.saveFile) != FALSE;
        if (!session.ReportMessages() && !ok)
            err << "quirl32-render: cannot save " << options.saveFile << "\n";
    }
    if (ok && !options.outputPng.empty())
        ok = WritePicture(session, options.outputPng, err);
    if (ok && !options.indicesPgm.empty())
        ok = WriteIndices(session, options.indicesPgm, err);
    if (ok && options.info) {
        PrintInfo(session, out);
        ok = !session.ReportMessages();
    }
    if (ok && options.stats)
        out << "steps " << stats.steps << ", iterations " << stats.iterations
            << ", longest idle call " << std::fixed << std::setprecision(3) << stats.longestStepMs
            << " ms, total " << stats.totalMs << " ms\n";
    return ok ? 0 : 1;
}

} // namespace

int RunRender(const RenderOptions& options, std::ostream& out, std::ostream& err) {
    try {
        return Render(options, out, err);
    } catch (const std::bad_alloc&) {
        // Memory the system's own handlers do not see: the host's windows,
        // the renderer's copies.
        err << "quirl32-render: Out of memory.\n";
        return 1;
    }
}
