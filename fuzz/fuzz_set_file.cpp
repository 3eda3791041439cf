// Opening a set file of any bytes through the framework's open path, then
// computing, zooming, unzooming, undoing, reading Info and saving it again
// as a user would.
//
// Input: the file. The loader ignores every byte after the 40th, so those
// bytes choose how the set window is then used: its method, colour scheme
// and client size.

#include "commands/resource_ids.h"
#include "fuzz_check.h"
#include "platform/framework/dialog.h"
#include "platform/headless/headless_host.h"
#include "render/render_session.h"
#include "support/temp_folder.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <ostream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::size_t kFileSize = 40;
// Iteration limits and random-point counts beyond these only make the
// computation longer.
constexpr std::int32_t kMaxIterations = 2000;
constexpr std::int32_t kMaxRandomPoints = 500;
constexpr long kSteps = 300;
// The random method never finishes: this many steps show enough of it.
constexpr long kRandomSteps = 30;

const TempFolder& Folder() {
    // Saving syncs the file to the disk; in memory that costs nothing.
    static const TempFolder folder(std::getenv("TMPDIR") == nullptr && access("/dev/shm", W_OK) == 0
                                       ? std::filesystem::path("/dev/shm")
                                       : std::filesystem::temp_directory_path());
    return folder;
}

std::vector<std::uint8_t> Stored(CQuirl32Doc& doc) {
    std::vector<std::uint8_t> bytes;
    CArchive ar(bytes, CArchive::store);
    doc.Serialize(ar);
    return bytes;
}

// The document alone: a file of 1 to 39 bytes is refused with the one
// message, any other opens, and what opens is stored again bit for bit.
void CheckDocument(const std::string& path, const std::uint8_t* data, std::size_t size) {
    HeadlessHost host;
    CQuirl32Doc doc;
    const BOOL opened = doc.OnOpenDocument(path);
    if (size > 0 && size < kFileSize) {
        FUZZ_REQUIRE(!opened, "a short file is refused");
        FUZZ_REQUIRE(host.MessageBoxes().size() == 1 &&
                         host.MessageBoxes()[0].text == "Unexpected file format.",
                     "a short file gives one message");
        return;
    }
    FUZZ_REQUIRE(opened, "a file of 0 or at least 40 bytes opens");
    FUZZ_REQUIRE(host.MessageBoxes().empty(), "an open without a message");
    FUZZ_REQUIRE(doc.m_bPictureValid == 0, "the picture is not valid after a load");
    FUZZ_REQUIRE(!doc.CanUndo(), "nothing to undo after a load");
    const std::vector<std::uint8_t> bytes = Stored(doc);
    FUZZ_REQUIRE(bytes.size() == kFileSize, "a set file is 40 bytes");
    if (size >= kFileSize)
        FUZZ_REQUIRE(std::memcmp(bytes.data(), data, kFileSize) == 0,
                     "the first 40 bytes come back unchanged");
}

void ReadInfo(RenderSession& session) {
    session.Host().PushDialogResponder([](CDialog& dlg) {
        for (int id :
             {IDC_INFO_FROM, IDC_INFO_TO, IDC_INFO_ITERATIONS, IDC_INFO_ZOOM, IDC_INFO_TIME})
            FUZZ_REQUIRE(!dlg.GetDlgItemText(id).empty(), "an Info text is empty");
        return IDOK;
    });
    session.Host().SendCommand(ID_SET_INFO);
}

// The whole program: the set window, its computation and its commands.
void CheckSession(const std::string& path, const std::string& copy, const std::uint8_t* data,
                  std::size_t size) {
    auto extra = [&](std::size_t i, int fallback) {
        return kFileSize + i < size ? int(data[kFileSize + i]) : fallback;
    };
    std::ostream quiet(nullptr);
    RenderSession session(quiet, true);
    ComputeStats stats;
    session.SetScheme(PaletteScheme(extra(0, 0) % 3));
    const int width = extra(1, 11) % 24 + 1;
    const int height = extra(2, 9) % 24 + 1;
    const bool opened = session.OpenSet(path, width, height);
    FUZZ_REQUIRE(opened == (size == 0 || size >= kFileSize),
                 "opens exactly the files of 0 or 40+ bytes");
    if (!opened)
        return;
    CQuirl32Doc& doc = *session.Document();

    RenderCommand method;
    method.kind = RenderCommand::Method;
    method.method = ComputeMethod(extra(3, 0) % 3);
    method.text = "method";
    session.Run(method);
    const bool cheap = doc.m_nIterations <= kMaxIterations &&
                       (method.method != Random || doc.m_nRandomPoints <= kMaxRandomPoints);
    const long steps = method.method == Random ? kRandomSteps : kSteps;
    if (cheap)
        session.Compute(steps, 1, stats);
    ReadInfo(session);
    // The fit's arithmetic holds for every plane, finite or not: the real
    // maximum is the one the client width and the imaginary range give.
    const RECT& client = session.View()->m_rcClient;
    if (client.bottom - client.top > 0) {
        const SetExtents& e = doc.m_extents;
        const double xMax = e.xMin + (client.right - client.left) * (std::fabs(e.yMax - e.yMin) /
                                                                     (client.bottom - client.top));
        FUZZ_REQUIRE(e.xMax == xMax || (std::isnan(e.xMax) && std::isnan(xMax)),
                     "the fit follows its arithmetic");
    }

    RenderCommand zoom;
    zoom.kind = RenderCommand::Zoom;
    zoom.rect = {extra(4, 1) % 32, extra(5, 1) % 32, extra(6, 6) % 32, extra(7, 5) % 32};
    zoom.text = "zoom";
    session.Run(zoom);
    RenderCommand unzoom;
    unzoom.kind = RenderCommand::Unzoom;
    unzoom.text = "unzoom";
    session.Run(unzoom);
    if (cheap)
        session.Compute(steps, 1, stats);
    RenderCommand undo;
    undo.kind = RenderCommand::Undo;
    undo.text = "undo";
    session.Run(undo);
    ReadInfo(session);

    FUZZ_REQUIRE(doc.OnSaveDocument(copy), "the set saves again");
    FUZZ_REQUIRE(TempFolder::Read(copy).size() == kFileSize, "a saved set is 40 bytes");
    FUZZ_REQUIRE(session.Host().MessageBoxes().empty(), "no message while using the set");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = Folder().Path("input.qrl");
    const std::string copy = Folder().Path("saved.qrl");
    FUZZ_REQUIRE(WriteBytes(path, Bytes(data, data + size)), "cannot write " + path);
    CheckDocument(path, data, size);
    CheckSession(path, copy, data, size);
    return 0;
}
