#pragma once
// What the run evaluator keeps around its vector lanes, the same for every
// instruction set: the pixels that need iterating, mapped ahead in small
// batches, and the lanes that have finished, written out in batches.

#include "engine/kernel/kernel_variants.h"

#include <cstdint>

namespace kernel_variants {

// The pixels of the runs that need iterating (mapped by kernel_lanes-inl.h).
// Pixels outside the disk of radius 2 need no iteration and are written at
// once. The arrays have room for a whole vector past the batch, on reading
// and on writing; they are left uninitialized, since a run of a few pixels
// would spend more time clearing them than computing, and the mapping
// clears a vector past the pixels it maps instead.
struct Feed {
    static constexpr int kBatch = 128;
    static constexpr int kRoom = kBatch + 16;

    KernelParams params;
    const PixelRun* runs; // the runs after the current one
    PixelRun run;         // the current one
    std::int32_t* out;
    std::int64_t total;      // pixels in all runs
    std::int64_t iterations; // the plain loop's, for the pixels written so far
    std::int64_t cap;        // work after which the lanes stop
    std::int64_t spent;      // work so far: steps times the lanes kept
    std::int64_t perStep;    // the lanes kept, busy or not
    // Steps after which a tail, where every pixel has begun and some lanes
    // idle, stops the lanes (none: never), and the steps it has run.
    std::int64_t tailCap;
    std::int64_t tailSteps;
    std::int64_t next;   // the next pixel to map
    std::int64_t runEnd; // the pixel after the current run's last
    long long col;       // its place in its line
    long long px, py;    // its coordinates
    long long lineX, lineY;
    int pos;
    int end;
    double re[kRoom];
    double im[kRoom];
    std::int64_t slot[kRoom];

    static std::int64_t Pixels(const PixelRun& r) {
        return r.n > 0 && r.lines > 0 ? std::int64_t(r.n) * r.lines : 0;
    }

    Feed(const KernelParams& p, const PixelRun* r, int count, std::int32_t* o, std::int64_t c)
        : params(p), runs(r), run{}, out(o), total(0), iterations(0), cap(c), spent(0), perStep(0),
          tailCap(INT64_MAX), tailSteps(0), next(0), runEnd(0), col(0), px(0), py(0), lineX(0),
          lineY(0), pos(0), end(0) {
        for (int i = 0; i < count; ++i) {
            total += Pixels(r[i]);
        }
    }

    int Available() const { return end - pos; }
    bool Stopped() const { return spent >= cap || tailSteps >= tailCap; }
    bool Exhausted() const { return pos == end && next == total; }

    // Moves on to the next run with pixels; there is one while next < total.
    void NextRun() {
        do {
            run = *runs++;
        } while (Pixels(run) == 0);
        runEnd += Pixels(run);
        col = 0;
        px = lineX = run.x;
        py = lineY = run.y;
    }

    // Moves the pixels not taken yet to the front, to map more behind them.
    int Keep() {
        int k = 0;
        for (int i = pos; i < end; ++i, ++k) {
            re[k] = re[i];
            im[k] = im[i];
            slot[k] = slot[i];
        }
        pos = 0;
        end = k;
        return k;
    }

    // Moves on by m pixels of the current line, to the next line at its end.
    void Advance(int m) {
        next += m;
        col += m;
        if (col == run.n) {
            col = 0;
            lineX += run.lineDx;
            lineY += run.lineDy;
            px = lineX;
            py = lineY;
        } else {
            px += m * run.dx;
            py += m * run.dy;
        }
    }
};

// Lanes that have finished: the pixel's place and its count, where a count
// at or above the limit stands for a lane that ran into the limit or a
// cycle. Vectors of them are appended whole, so the arrays have room for a
// few vectors past the point where they are written out. Left uninitialized
// like the feed's.
struct Finished {
    static constexpr int kFlushAt = 64;
    static constexpr int kRoom = kFlushAt + 64;

    std::int64_t count[kRoom];
    std::int64_t slot[kRoom];
    int n = 0;
};

} // namespace kernel_variants
