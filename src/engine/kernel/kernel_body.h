// The run evaluator, written once and compiled once per instruction set.
//
// An including file first includes kernel.h, then sets its target and defines
// QUIRL32_KERNEL_NS, a namespace of its own, so that the copies built for
// different instruction sets never meet at link time. Nothing below includes
// or calls inline code of the standard library: an out-of-line copy of it
// compiled for a wider instruction set could be picked by the linker for the
// whole program.
//
// How it works. W lanes make one vector and V vectors are in flight at once,
// so that the latency of one vector's chain is hidden behind the others. The
// lanes run blocks of B steps without looking at each other; a lane that
// escapes stops counting, and only at the end of a block are finished lanes
// written out and given the next pixel of the run. Every lane does exactly the
// operations of the plain loop in the same order, so its count is the plain
// loop's count.
//
// Exact cycle detection (Brent): each lane keeps a saved orbit point and, at
// every block end, compares the current point with it for exact equality; the
// saved point is renewed whenever the lane's count reaches a power of two. An
// exact repeat proves that the orbit never escapes, so the plain loop would
// run into the limit and give index 0: the lane is finished at once with 0.
// An orbit that has become NaN can never escape either and is finished the
// same way.

#ifndef QUIRL32_KERNEL_NS
#error "define QUIRL32_KERNEL_NS before including kernel_body.h"
#endif

namespace QUIRL32_KERNEL_NS {

#define QUIRL32_INLINE inline __attribute__((always_inline))

template <int W> struct Lanes {
    typedef double D __attribute__((vector_size(W * sizeof(double))));
    // 64-bit integer lanes, the type that comparisons of D give: masks, counts.
    typedef std::int64_t I __attribute__((vector_size(W * sizeof(std::int64_t))));
};
template <> struct Lanes<1> {
    typedef double D;
    typedef std::int64_t I;
};

// Comparisons give -1 in a lane where they hold and 0 elsewhere.
template <int W>
QUIRL32_INLINE typename Lanes<W>::I NotGreaterEqual(typename Lanes<W>::D a,
                                                    typename Lanes<W>::D b) {
    if constexpr (W == 1) {
        return -static_cast<std::int64_t>(!(a >= b));
    } else {
        return ~(a >= b);
    }
}

template <int W>
QUIRL32_INLINE typename Lanes<W>::I Equal(typename Lanes<W>::D a, typename Lanes<W>::D b) {
    if constexpr (W == 1) {
        return -static_cast<std::int64_t>(a == b);
    } else {
        return a == b;
    }
}

template <int W>
QUIRL32_INLINE typename Lanes<W>::I NotEqual(typename Lanes<W>::D a, typename Lanes<W>::D b) {
    if constexpr (W == 1) {
        return -static_cast<std::int64_t>(a != b);
    } else {
        return a != b;
    }
}

template <int W> QUIRL32_INLINE typename Lanes<W>::I IsZero(typename Lanes<W>::I a) {
    if constexpr (W == 1) {
        return -static_cast<std::int64_t>(a == 0);
    } else {
        return a == 0;
    }
}

template <int W>
QUIRL32_INLINE typename Lanes<W>::I AtLeast(typename Lanes<W>::I a, typename Lanes<W>::I b) {
    if constexpr (W == 1) {
        return -static_cast<std::int64_t>(a >= b);
    } else {
        return a >= b;
    }
}

// True when any lane of the mask is set.
template <int W> QUIRL32_INLINE bool AnyLane(typename Lanes<W>::I m) {
    if constexpr (W == 1) {
        return m != 0;
    } else if constexpr (W == 2) {
        return (m[0] | m[1]) != 0;
    } else if constexpr (W == 4) {
        return AnyLane<2>(__builtin_shufflevector(m, m, 0, 1) |
                          __builtin_shufflevector(m, m, 2, 3));
    } else {
        static_assert(W == 8, "lanes per vector: 1, 2, 4 or 8");
        return AnyLane<4>(__builtin_shufflevector(m, m, 0, 1, 2, 3) |
                          __builtin_shufflevector(m, m, 4, 5, 6, 7));
    }
}

template <int W> QUIRL32_INLINE typename Lanes<W>::D Splat(double v) {
    typename Lanes<W>::D r;
    for (int l = 0; l < W; ++l) {
        if constexpr (W == 1) {
            r = v;
        } else {
            r[l] = v;
        }
    }
    return r;
}

template <int W> QUIRL32_INLINE typename Lanes<W>::I SplatInt(std::int64_t v) {
    typename Lanes<W>::I r;
    for (int l = 0; l < W; ++l) {
        if constexpr (W == 1) {
            r = v;
        } else {
            r[l] = v;
        }
    }
    return r;
}

// One vector of lanes. A busy lane holds a pixel: c = cr + ci i, the orbit
// point (x, y) that has not been tested yet, the count of iterations made,
// whether it is still alive (not escaped) and its saved point for the cycle
// test. An idle lane is all zeros and never counts.
template <int W> struct VecState {
    typename Lanes<W>::D x, y, cr, ci, sx, sy;
    typename Lanes<W>::I cnt, alive, busy;
};

// The pixels of the run, handed out one by one as lanes fall free. Pixels
// outside the disk of radius 2 need no iteration and are written at once.
struct Feed {
    KernelParams params;
    long long x, y, dx, dy;
    int n;
    int next;
    std::int32_t* out;

    QUIRL32_INLINE bool Next(double& re, double& im, int& slot) {
        while (next < n) {
            const int i = next++;
            re = static_cast<double>(x + i * dx) * params.scaleX + params.xMin;
            im = static_cast<double>(y + i * dy) * params.scaleY + params.yMin;
            if (re * re + im * im >= 4.0) {
                out[i] = 0;
                continue;
            }
            slot = i;
            return true;
        }
        return false;
    }
};

// One step of the plain loop in every lane: test the current point, count the
// iteration if the lane is still alive, then iterate.
template <int W> QUIRL32_INLINE void Step(VecState<W>& s, typename Lanes<W>::D four) {
    const typename Lanes<W>::D xx = s.x * s.x;
    const typename Lanes<W>::D yy = s.y * s.y;
    s.alive &= NotGreaterEqual<W>(xx + yy, four);
    s.cnt -= s.alive;
    const typename Lanes<W>::D twoX = s.x + s.x;
    s.x = (xx - yy) + s.cr;
    s.y = s.y * twoX + s.ci;
}

// Block end, the rare part: writes the finished lanes' indices and gives them
// the next pixels. Works on copies so that the hot loop keeps its lanes in
// registers.
template <int W>
__attribute__((noinline)) VecState<W> Service(VecState<W> s, typename Lanes<W>::I done, int* slot,
                                              Feed& feed, int& busyLanes) {
    double x[W], y[W], cr[W], ci[W];
    std::int64_t cnt[W], alive[W], busy[W], fin[W];
    __builtin_memcpy(x, &s.x, sizeof x);
    __builtin_memcpy(y, &s.y, sizeof y);
    __builtin_memcpy(cr, &s.cr, sizeof cr);
    __builtin_memcpy(ci, &s.ci, sizeof ci);
    __builtin_memcpy(cnt, &s.cnt, sizeof cnt);
    __builtin_memcpy(alive, &s.alive, sizeof alive);
    __builtin_memcpy(busy, &s.busy, sizeof busy);
    __builtin_memcpy(fin, &done, sizeof fin);
    const std::int64_t limit = feed.params.limit;
    for (int l = 0; l < W; ++l) {
        if (fin[l] == 0) {
            continue;
        }
        if (slot[l] >= 0) {
            // A lane still alive here ran into the limit or a cycle: index 0.
            const bool counted = alive[l] == 0 && cnt[l] < limit;
            feed.out[slot[l]] =
                counted ? static_cast<std::int32_t>(cnt[l] % feed.params.nColors) : 0;
            slot[l] = -1;
            --busyLanes;
        }
        double re = 0.0;
        double im = 0.0;
        if (feed.Next(re, im, slot[l])) {
            ++busyLanes;
            busy[l] = -1;
            alive[l] = -1;
        } else {
            busy[l] = 0;
            alive[l] = 0;
        }
        x[l] = re;
        y[l] = im;
        cr[l] = re;
        ci[l] = im;
        cnt[l] = 0;
    }
    __builtin_memcpy(&s.x, x, sizeof x);
    __builtin_memcpy(&s.y, y, sizeof y);
    __builtin_memcpy(&s.cr, cr, sizeof cr);
    __builtin_memcpy(&s.ci, ci, sizeof ci);
    __builtin_memcpy(&s.cnt, cnt, sizeof cnt);
    __builtin_memcpy(&s.alive, alive, sizeof alive);
    __builtin_memcpy(&s.busy, busy, sizeof busy);
    return s;
}

// W lanes a vector, V vectors in flight, blocks of B steps (a power of two,
// so that a busy lane's count is a power of two exactly at the block ends
// where its saved point is due for renewal).
template <int W, int V, int B>
void Run(const KernelParams& params, int x, int y, int dx, int dy, int n, std::int32_t* out) {
    static_assert(B > 0 && (B & (B - 1)) == 0, "steps per block: a power of two");
    typedef typename Lanes<W>::D D;
    typedef typename Lanes<W>::I I;
    if (n <= 0) {
        return;
    }
    if (params.limit <= 1 || params.nColors <= 0) {
        // The plain loop gives 0 everywhere: a count never exceeds the limit
        // and equals it when it reaches 1.
        for (int i = 0; i < n; ++i) {
            out[i] = 0;
        }
        return;
    }

    Feed feed{params, x, y, dx, dy, n, 0, out};
    const D four = Splat<W>(4.0);
    const I limit = SplatInt<W>(params.limit);
    const I allLanes = SplatInt<W>(-1);

    VecState<W> st[V];
    int slot[V][W];
    int busyLanes = 0;
    for (int v = 0; v < V; ++v) {
        const D zero = Splat<W>(0.0);
        const I none = SplatInt<W>(0);
        st[v] = VecState<W>{zero, zero, zero, zero, zero, zero, none, none, none};
        for (int l = 0; l < W; ++l) {
            slot[v][l] = -1;
        }
        st[v] = Service<W>(st[v], allLanes, slot[v], feed, busyLanes);
        st[v].sx = st[v].x;
        st[v].sy = st[v].y;
    }

    while (busyLanes > 0) {
        for (int k = 0; k < B; ++k) {
#pragma GCC unroll 8
            for (int v = 0; v < V; ++v) {
                Step<W>(st[v], four);
            }
        }
#pragma GCC unroll 8
        for (int v = 0; v < V; ++v) {
            VecState<W>& s = st[v];
            const I cycle = s.alive & Equal<W>(s.x, s.sx) & Equal<W>(s.y, s.sy);
            const I nan = NotEqual<W>(s.x, s.x) | NotEqual<W>(s.y, s.y);
            const I done = s.busy & (~s.alive | AtLeast<W>(s.cnt, limit) | cycle | nan);
            if (AnyLane<W>(done)) {
                s = Service<W>(s, done, slot[v], feed, busyLanes);
            }
            // Refilled lanes have count 0 and save their first point here.
            const I renew = IsZero<W>(s.cnt & (s.cnt - 1));
            s.sx = renew ? s.x : s.sx;
            s.sy = renew ? s.y : s.sy;
        }
    }
}

#undef QUIRL32_INLINE

} // namespace QUIRL32_KERNEL_NS
