#pragma once
// The command line of quirl32-render, parsed into options without touching
// anything else, so that tests and fuzzers can call the parser directly.

#include "view/view_options.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

// One --do command, run as the user's command would be.
struct RenderCommand {
    enum Kind { Unzoom, Undo, Compute, Stop, Zoom, Iterations, Specify, Method, Scheme, Resize };
    Kind kind = Compute;
    std::string text;                  // as given, for messages
    std::array<int, 4> rect{};         // Zoom: left, top, right, bottom of the drag
    std::string iterations;            // Iterations: the text typed
    std::array<std::string, 5> fields; // Specify: xMin, xMax, yMin, yMax, random points
    ComputeMethod method = Recursion;  // Method
    PaletteScheme scheme = Standard;   // Scheme
    int width = 0, height = 0;         // Resize
};

struct RenderOptions {
    std::string inputFile; // empty: a new set
    std::string outputPng;
    int width = 252;
    int height = 232;
    ComputeMethod method = Recursion;
    PaletteScheme scheme = Standard;
    std::vector<RenderCommand> commands;
    std::optional<long> steps; // idle calls per computation; none: the default
    int threads = 0;           // workers ahead of the steps; 0: the processors
    bool stats = false;
    std::string indicesPgm;
    bool info = false;
    std::string saveFile;
    bool help = false;
    bool version = false;
    // The window keeps a picture of its own beside the off-screen one, as a
    // desktop window does; by default it keeps none, to save memory. The
    // files written are the same either way. Not on the command line.
    bool keepWindowPicture = false;
};

struct RenderParseResult {
    std::optional<RenderOptions> options; // set on success
    std::string error;                    // a one-line reason otherwise
};

// The largest client area the renderer accepts: per side, and in bytes of
// its picture (4 a pixel).
constexpr int kMaxRenderSide = 65535;
constexpr unsigned long long kMaxRenderPictureBytes = 4ull << 30;
// The most threads --threads accepts.
constexpr long kMaxRenderThreads = 1024;
// Idle calls of one computation with the random method, which never finishes.
constexpr long kRandomDefaultSteps = 1000;

// args excludes the program name.
RenderParseResult ParseRenderOptions(const std::vector<std::string>& args);

// The usage text, ending in a newline.
const char* RenderUsage();
