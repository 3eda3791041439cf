#pragma once
// The escape-time kernel: palette indices for single points and for runs of
// pixels. Every index equals, bit for bit, what the plain double loop of
// ComputePointNaive gives for the pixel's mapped point; the run evaluator
// only gets there faster, with vector code picked for the machine.

#include <cstdint>

// What a run of pixels needs to know: the pixel-to-plane mapping
// (re = x * scaleX + xMin, im = y * scaleY + yMin), the iteration limit and
// the palette size that the counts cycle through.
struct KernelParams {
    double xMin = 0.0;
    double yMin = 0.0;
    double scaleX = 0.0;
    double scaleY = 0.0;
    std::int32_t limit = 0;
    std::int32_t nColors = 1;
};

// The palette index of the point re + im i, exactly as the plain loop gives it.
// When iterations is given, the plain loop's count of iterations for the point
// is added to it.
int ComputeIndex(const KernelParams& params, double re, double im,
                 std::int64_t* iterations = nullptr);

// The palette indices of n pixels starting at (x, y) and stepping (dx, dy):
// indices[i] belongs to pixel (x + i * dx, y + i * dy). A row segment has
// (dx, dy) = (1, 0), a column segment (0, 1). n <= 0 writes nothing.
// Like the two below, it returns the iterations the plain loop makes for
// these pixels, for statistics.
std::int64_t ComputeRun(const KernelParams& params, int x, int y, int dx, int dy, int n,
                        std::int32_t* indices);

// The palette indices of a width x height rectangle of pixels whose top-left
// pixel is (left, top), row by row: indices[j * width + i] belongs to pixel
// (left + i, top + j). All of it is evaluated as one stream, so that a long
// orbit late in one row runs alongside the rows after it.
std::int64_t ComputeRect(const KernelParams& params, int left, int top, int width, int height,
                         std::int32_t* indices);

// The general form of both: lines lines of n pixels, pixel i of line j at
// (x + i * dx + j * lineDx, y + i * dy + j * lineDy), its index in
// indices[j * n + i]. Nothing is written when n <= 0 or lines <= 0.
std::int64_t ComputeLines(const KernelParams& params, int x, int y, int dx, int dy, int n,
                          int lineDx, int lineDy, int lines, std::int32_t* indices);

// The pixels of one ComputeLines call.
struct PixelLines {
    int x = 0, y = 0, dx = 1, dy = 0, n = 0;
    int lineDx = 0, lineDy = 1, lines = 1;
};

// Several runs of lines as one stream, so that the long orbits of one run
// alongside the pixels of the next: the indices of each run, as ComputeLines
// lays them out, follow those of the run before it. Runs without pixels
// take no room.
std::int64_t ComputeRuns(const KernelParams& params, const PixelLines* runs, int count,
                         std::int32_t* indices);

// What ComputeRunsFor writes for a pixel it stopped before finishing.
constexpr std::int32_t kPixelInFlight = -1; // begun: where it stands is kept
constexpr std::int32_t kPixelNotBegun = -2;

// Where the orbit of a pixel stopped in flight stands, so that a later call
// goes on with it exactly as if it had not stopped.
struct OrbitState {
    double x = 0.0, y = 0.0;           // the point not tested yet
    double savedX = 0.0, savedY = 0.0; // the cycle test's saved point
    std::int64_t count = 0;            // iterations made
    std::int64_t pixel = 0;            // its place in the call's indices
};

// A call that may stop before its end.
struct KernelStop {
    // At most this many pixels are in flight when a call stops.
    static constexpr int kMaxInFlight = 64;

    // The call stops once its own work reaches about cap iterations (at
    // least one block of steps), counted as if every lane it keeps were busy
    // at every step, so that the work follows the time taken however few
    // lanes are busy; it adds its work to spent.
    std::int64_t cap = 0;
    std::int64_t spent = 0;
    // The first resumed pixels of the runs go on from these states (their
    // pixel fields are not read), as far as the call has lanes for them at
    // its start; any others start again from the beginning, which gives the
    // same counts.
    const OrbitState* resume = nullptr;
    int resumed = 0;
    // The call may also stop in its tail, where every pixel has begun and
    // vector lanes idle, once the tail has run for a while with none of the
    // orbits in flight old, so that the caller can give those orbits new
    // pixels to run beside; stoppedInTail says whether it did.
    bool stopInTail = false;
    bool stoppedInTail = false;
    // Where the pixels it stops in flight stand, kMaxInFlight at most.
    OrbitState stopped[kMaxInFlight];
    int nStopped = 0;
};

// ComputeRuns for a while (see KernelStop). Finished pixels get their
// indices, the others the markers above; it returns the plain loop's
// iterations of the pixels finished, counting those made before a resume.
std::int64_t ComputeRunsFor(const KernelParams& params, const PixelLines* runs, int count,
                            std::int32_t* indices, KernelStop& stop);
