#include "render/renderer.h"

#include "commands/resource_ids.h"
#include "platform/dialog.h"
#include "render/image_files.h"
#include "render/render_session.h"

#include <algorithm>
#include <cstdint>
#include <iomanip>
#include <thread>
#include <vector>

namespace {

// The picture as the window shows it, palette indices resolved.
bool WritePicture(RenderSession& session, const std::string& path, std::ostream& err) {
    CQuirl32View* view = session.View();
    const Surface& s = *session.Host().GetWindowSurface(view);
    std::vector<std::uint32_t> rgb(std::size_t(s.Width()) * std::size_t(s.Height()));
    for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x)
            rgb[std::size_t(y) * std::size_t(s.Width()) + std::size_t(x)] =
                view->ResolveColor(s.Get(x, y));
    const std::vector<std::uint8_t> png = EncodePng(s.Width(), s.Height(), rgb);
    std::string error;
    if (WriteFileBytes(path, png.data(), png.size(), error))
        return true;
    err << "quirl32-render: cannot write " << path << ": " << error << "\n";
    return false;
}

bool WriteIndices(RenderSession& session, const std::string& path, std::ostream& err) {
    const Surface& s = *session.Host().GetWindowSurface(session.View());
    std::vector<std::uint8_t> values(std::size_t(s.Width()) * std::size_t(s.Height()), 255);
    for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x) {
            const COLORREF c = s.Get(x, y);
            if (IsPaletteIndexColor(c) && PaletteIndexOf(c) < 255)
                values[std::size_t(y) * std::size_t(s.Width()) + std::size_t(x)] =
                    std::uint8_t(PaletteIndexOf(c));
        }
    const std::string pgm = EncodePgm(s.Width(), s.Height(), values);
    std::string error;
    if (WriteFileBytes(path, pgm.data(), pgm.size(), error))
        return true;
    err << "quirl32-render: cannot write " << path << ": " << error << "\n";
    return false;
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

} // namespace

int RunRender(const RenderOptions& options, std::ostream& out, std::ostream& err) {
    RenderSession session(err);
    session.SetScheme(options.scheme);
    if (!session.OpenSet(options.inputFile, options.width, options.height)) {
        if (!session.ReportMessages())
            err << "quirl32-render: cannot open " << options.inputFile << "\n";
        return 1;
    }
    if (options.method != Recursion) {
        RenderCommand method;
        method.kind = RenderCommand::Method;
        method.method = options.method;
        method.text = "method";
        session.Run(method);
    }
    const int threads = options.threads > 0
                            ? options.threads
                            : int(std::max(1u, std::thread::hardware_concurrency()));
    ComputeStats stats;
    session.Compute(options.steps, threads, stats);

    for (const RenderCommand& c : options.commands) {
        if (!session.Run(c))
            return 1;
        session.Compute(options.steps, threads, stats);
        if (session.ReportMessages())
            return 1;
    }

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
        out << "steps " << stats.steps << ", iterations " << stats.iterations << ", longest step "
            << std::fixed << std::setprecision(3) << stats.longestStepMs << " ms, total "
            << stats.totalMs << " ms\n";
    return ok ? 0 : 1;
}
