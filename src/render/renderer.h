#pragma once
// quirl32-render: the explorer's own application, document and set view on
// the headless backend, driven by the parsed command line.

#include "render/render_options.h"

#include <ostream>

class RenderSession;
struct ComputeStats;

// Runs one render; the exit status: 0 on success, 1 when the set file cannot
// be read or written, a --do command is disabled, a picture cannot be written
// or the program reported a failure. Messages go to err, --info to out.
int RunRender(const RenderOptions& options, std::ostream& out, std::ostream& err);

// The part of a render before anything is written: opens the options' set in
// session, chooses their method and runs their commands, computing after each
// as the options say. False when something failed; its message has gone to err.
bool DriveRender(RenderSession& session, const RenderOptions& options, ComputeStats& stats,
                 std::ostream& err);
