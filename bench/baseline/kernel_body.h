// The run evaluator, written once and compiled once per instruction set.
//
// An including file first includes kernel.h (and, for x86, immintrin.h), then
// sets its target, defines QUIRL32_KERNEL_NS, a namespace of its own so that
// the copies built for different instruction sets never meet at link time,
// and QUIRL32_KERNEL_ISA: 0 plain, 1 SSE2, 2 AVX2, 3 AVX-512. Nothing below
// includes or calls inline code of the standard library: an out-of-line copy
// compiled for a wider instruction set could be picked by the linker for the
// whole program.
//
// How it works. W lanes make one vector and V vectors are in flight at once,
// so that the latency of one vector's chain is hidden behind the others. The
// lanes run blocks of B steps without looking at each other; a lane that
// escapes stops counting, and only at the end of a block are finished lanes
// written out and given the next pixels of the run. Every lane does exactly
// the operations of the plain loop in the same order, so its count is the
// plain loop's count. When the run has no pixels left, the busy lanes are
// packed into as few vectors as they fill, so that the last long orbits do
// not drag idle vectors along.
//
// Exact cycle detection (Brent): each lane keeps a saved orbit point and, at
// every block end, compares the current point with it for exact equality; the
// saved point is renewed whenever the lane's count reaches a power of two. An
// exact repeat proves that the orbit never escapes, so the plain loop would
// run into the limit and give index 0: the lane is finished at once with 0.
// An orbit that has become NaN can never escape either and is finished the
// same way.

#ifndef QUIRL32_KERNEL_NS
#error "define QUIRL32_KERNEL_NS and QUIRL32_KERNEL_ISA before including kernel_body.h"
#endif

namespace QUIRL32_KERNEL_NS {

#define QUIRL32_INLINE inline __attribute__((always_inline))

// Doubling is exact, so x * 2 is x + x to the bit. With AVX2 the adders are
// the busier units and the multipliers take the doubling faster; elsewhere
// measured the other way round.
constexpr bool kDoubleByMultiply = QUIRL32_KERNEL_ISA == 2;

template <int W> struct Lanes {
    typedef double D __attribute__((vector_size(W * sizeof(double))));
    // 64-bit integer lanes, the type that comparisons of D give: masks, counts.
    typedef std::int64_t I __attribute__((vector_size(W * sizeof(std::int64_t))));
};
template <> struct Lanes<1> {
    typedef double D;
    typedef std::int64_t I;
};

// Whether a lane is alive is kept in a mask register where the instruction
// set has them: the escape test then keeps it for free and the count steps
// under it in one instruction.
#if QUIRL32_KERNEL_ISA == 3
template <int W> struct AliveType { typedef typename Lanes<W>::I M; };
template <> struct AliveType<8> { typedef __mmask8 M; };
#else
template <int W> struct AliveType { typedef typename Lanes<W>::I M; };
#endif

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

template <int W> QUIRL32_INLINE typename Lanes<W>::I NonZero(typename Lanes<W>::I a) {
    if constexpr (W == 1) {
        return -static_cast<std::int64_t>(a != 0);
    } else {
        return a != 0;
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

template <int W> QUIRL32_INLINE typename Lanes<W>::D Splat(double v) {
    if constexpr (W == 1) {
        return v;
    } else if constexpr (W == 2) {
        return typename Lanes<W>::D{v, v};
    } else if constexpr (W == 4) {
        return typename Lanes<W>::D{v, v, v, v};
    } else {
        return typename Lanes<W>::D{v, v, v, v, v, v, v, v};
    }
}

template <int W> QUIRL32_INLINE typename Lanes<W>::I SplatInt(std::int64_t v) {
    if constexpr (W == 1) {
        return v;
    } else if constexpr (W == 2) {
        return typename Lanes<W>::I{v, v};
    } else if constexpr (W == 4) {
        return typename Lanes<W>::I{v, v, v, v};
    } else {
        return typename Lanes<W>::I{v, v, v, v, v, v, v, v};
    }
}

// The lanes of a mask as bits, lane l in bit l.
template <int W> QUIRL32_INLINE unsigned MaskBits(typename Lanes<W>::I m) {
#if QUIRL32_KERNEL_ISA == 3
    if constexpr (W == 8) {
        return _mm512_test_epi64_mask((__m512i)m, (__m512i)m);
    }
#elif QUIRL32_KERNEL_ISA == 2
    if constexpr (W == 4) {
        return unsigned(_mm256_movemask_pd((__m256d)m));
    }
#elif QUIRL32_KERNEL_ISA == 1
    if constexpr (W == 2) {
        return unsigned(_mm_movemask_pd((__m128d)m));
    }
#endif
    if constexpr (W == 1) {
        return m != 0 ? 1u : 0u;
    } else {
        unsigned bits = 0;
        for (int l = 0; l < W; ++l) {
            bits |= m[l] != 0 ? 1u << l : 0u;
        }
        return bits;
    }
}

// The mask whose lanes are the given bits.
template <int W> QUIRL32_INLINE typename Lanes<W>::I BitsMask(unsigned bits) {
    typedef typename Lanes<W>::I I;
    if constexpr (W == 1) {
        return -static_cast<std::int64_t>(bits & 1);
    } else {
#if QUIRL32_KERNEL_ISA == 3
        if constexpr (W == 8) {
            return (I)_mm512_maskz_set1_epi64(__mmask8(bits), -1);
        }
#endif
        I laneBits;
        if constexpr (W == 2) {
            laneBits = I{1, 2};
        } else if constexpr (W == 4) {
            laneBits = I{1, 2, 4, 8};
        } else {
            laneBits = I{1, 2, 4, 8, 16, 32, 64, 128};
        }
        return NonZero<W>(laneBits & SplatInt<W>(bits));
    }
}

#if QUIRL32_KERNEL_ISA == 2
// For each 4-bit lane mask, where each lane of an expansion takes its value
// from: the k-th set lane takes the k-th of the values read, as two 32-bit
// halves.
struct ExpandTable {
    int index[16][8];
    constexpr ExpandTable() : index{} {
        for (int m = 0; m < 16; ++m) {
            int k = 0;
            for (int l = 0; l < 4; ++l) {
                const int from = (m >> l & 1) ? k++ : l;
                index[m][2 * l] = 2 * from;
                index[m][2 * l + 1] = 2 * from + 1;
            }
        }
    }
};
constexpr ExpandTable kExpandTable;
#endif

// Loads consecutive values from src into the lanes named by bits, in lane
// order, keeping the other lanes of old. May read up to W values.
template <int W, typename V, typename T>
QUIRL32_INLINE V ExpandLanes(V old, unsigned bits, const T* src) {
    if constexpr (W == 1) {
        return bits != 0 ? src[0] : old;
    } else {
#if QUIRL32_KERNEL_ISA == 2
        if constexpr (W == 4) {
            const __m256i loaded = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(src));
            const __m256i index =
                _mm256_loadu_si256(reinterpret_cast<const __m256i*>(kExpandTable.index[bits]));
            const __m256d spread = (__m256d)_mm256_permutevar8x32_epi32(loaded, index);
            return (V)_mm256_blendv_pd((__m256d)old, spread, (__m256d)BitsMask<W>(bits));
        }
#endif
        V r = old;
        int k = 0;
        for (int l = 0; l < W; ++l) {
            if (bits >> l & 1) {
                r[l] = src[k++];
            }
        }
        return r;
    }
}

template <int W>
QUIRL32_INLINE typename Lanes<W>::D Expand(typename Lanes<W>::D old, unsigned bits,
                                           const double* src) {
#if QUIRL32_KERNEL_ISA == 3
    if constexpr (W == 8) {
        return (typename Lanes<W>::D)_mm512_mask_expand_pd((__m512d)old, __mmask8(bits),
                                                           _mm512_loadu_pd(src));
    }
#endif
    return ExpandLanes<W>(old, bits, src);
}

template <int W>
QUIRL32_INLINE typename Lanes<W>::I Expand(typename Lanes<W>::I old, unsigned bits,
                                           const std::int64_t* src) {
#if QUIRL32_KERNEL_ISA == 3
    if constexpr (W == 8) {
        return (typename Lanes<W>::I)_mm512_mask_expand_epi64((__m512i)old, __mmask8(bits),
                                                              _mm512_loadu_si512(src));
    }
#endif
    return ExpandLanes<W>(old, bits, src);
}

template <int W> QUIRL32_INLINE void ToArray(typename Lanes<W>::I v, std::int64_t* a) {
    __builtin_memcpy(a, &v, sizeof(v));
}

QUIRL32_INLINE int PopCount(unsigned bits) {
    return __builtin_popcount(bits);
}

// The lowest n set bits of bits.
QUIRL32_INLINE unsigned LowestBits(unsigned bits, int n) {
    unsigned r = 0;
    for (; n > 0 && bits != 0; --n) {
        const unsigned low = bits & (0u - bits);
        r |= low;
        bits ^= low;
    }
    return r;
}

// One vector of lanes. A busy lane holds a pixel: c = cr + ci i, the orbit
// point (x, y) that has not been tested yet, the count of iterations made,
// whether it is still alive (not escaped), its saved point for the cycle test
// and the pixel's place in the run. An idle lane is all zeros and never
// counts.
template <int W> struct VecState {
    typename Lanes<W>::D x, y, cr, ci, sx, sy;
    typename Lanes<W>::I cnt;
    typename AliveType<W>::M alive;
    typename Lanes<W>::I busy, slot;
};

template <int W> QUIRL32_INLINE typename Lanes<W>::I AliveLanes(const VecState<W>& s) {
    if constexpr (sizeof(s.alive) == sizeof(s.cnt)) {
        return s.alive;
    } else {
        return BitsMask<W>(s.alive);
    }
}

template <int W> QUIRL32_INLINE void SetAliveLanes(VecState<W>& s, typename Lanes<W>::I m) {
    if constexpr (sizeof(s.alive) == sizeof(s.cnt)) {
        s.alive = m;
    } else {
        s.alive = typename AliveType<W>::M(MaskBits<W>(m));
    }
}

// The pixels of the runs that need iterating, mapped ahead in small batches.
// Pixels outside the disk of radius 2 need no iteration and are written at
// once. The arrays have room for reads of a whole vector past the end.
struct Feed {
    static constexpr int kBatch = 64;
    static constexpr int kRoom = kBatch + 8;

    KernelParams params;
    const baseline_kernel::PixelRun* runs; // the runs after the current one
    baseline_kernel::PixelRun run;         // the current one
    std::int32_t* out;
    std::int64_t total;      // pixels in all runs
    std::int64_t iterations; // the plain loop's, for the pixels written so far
    std::int64_t next;       // the next pixel to map
    std::int64_t runEnd;     // the pixel after the current run's last
    long long col;           // its place in its line
    long long px, py;        // its coordinates
    long long lineX, lineY;
    int pos;
    int end;
    double re[kRoom];
    double im[kRoom];
    std::int64_t slot[kRoom];

    static std::int64_t Pixels(const baseline_kernel::PixelRun& r) {
        return r.n > 0 && r.lines > 0 ? std::int64_t(r.n) * r.lines : 0;
    }

    Feed(const KernelParams& p, const baseline_kernel::PixelRun* r, int count, std::int32_t* o)
        : params(p), runs(r), run{}, out(o), total(0), iterations(0), next(0), runEnd(0), col(0),
          px(0), py(0), lineX(0), lineY(0), pos(0), end(0), re{}, im{}, slot{} {
        for (int i = 0; i < count; ++i) {
            total += Pixels(r[i]);
        }
    }

    int Available() const { return end - pos; }
    bool Exhausted() const { return pos == end && next == total; }

    // Moves on to the next run with pixels; there is one while next < total.
    QUIRL32_INLINE void NextRun() {
        do {
            run = *runs++;
        } while (Pixels(run) == 0);
        runEnd += Pixels(run);
        col = 0;
        px = lineX = run.x;
        py = lineY = run.y;
    }

    // Makes at least want pixels ready, if the runs have that many left.
    QUIRL32_INLINE void Prepare(int want) {
        if (end - pos >= want || next == total) {
            return;
        }
        int k = 0;
        for (int i = pos; i < end; ++i, ++k) {
            re[k] = re[i];
            im[k] = im[i];
            slot[k] = slot[i];
        }
        pos = 0;
        while (k < kBatch && next < total) {
            if (next == runEnd) {
                NextRun();
            }
            const std::int64_t i = next++;
            const double r = static_cast<double>(px) * params.scaleX + params.xMin;
            const double m = static_cast<double>(py) * params.scaleY + params.yMin;
            if (++col == run.n) {
                col = 0;
                lineX += run.lineDx;
                lineY += run.lineDy;
                px = lineX;
                py = lineY;
            } else {
                px += run.dx;
                py += run.dy;
            }
            if (r * r + m * m >= 4.0) {
                out[i] = 0;
                continue;
            }
            re[k] = r;
            im[k] = m;
            slot[k] = i;
            ++k;
        }
        end = k;
    }
};

// What every block needs, made once per run.
template <int W> struct Constants {
    typename Lanes<W>::D two, four, nColors, inverse;
    typename Lanes<W>::I limit;
};

// One step of the plain loop in every lane: test the current point, count the
// iteration if the lane is still alive, then iterate.
template <int W>
QUIRL32_INLINE void Step(VecState<W>& s, typename Lanes<W>::D two, typename Lanes<W>::D four) {
    const typename Lanes<W>::D xx = s.x * s.x;
    const typename Lanes<W>::D yy = s.y * s.y;
    if constexpr (sizeof(s.alive) == sizeof(s.cnt)) {
        s.alive &= NotGreaterEqual<W>(xx + yy, four);
        s.cnt -= s.alive;
    } else {
#if QUIRL32_KERNEL_ISA == 3
        s.alive = _mm512_mask_cmp_pd_mask(s.alive, (__m512d)(xx + yy), (__m512d)four, _CMP_NGE_UQ);
        s.cnt = (typename Lanes<W>::I)_mm512_mask_sub_epi64((__m512i)s.cnt, s.alive, (__m512i)s.cnt,
                                                            _mm512_set1_epi64(-1));
#endif
    }
    typename Lanes<W>::D twoX;
    if constexpr (kDoubleByMultiply) {
        twoX = s.x * two;
    } else {
        twoX = s.x + s.x;
    }
    s.x = (xx - yy) + s.cr;
    s.y = s.y * twoX + s.ci;
}

template <int W> QUIRL32_INLINE typename Lanes<W>::D AsDouble(typename Lanes<W>::I v) {
    typename Lanes<W>::D r;
    __builtin_memcpy(&r, &v, sizeof(r));
    return r;
}

template <int W> QUIRL32_INLINE typename Lanes<W>::I AsInt(typename Lanes<W>::D v) {
    typename Lanes<W>::I r;
    __builtin_memcpy(&r, &v, sizeof(r));
    return r;
}

// count mod nColors in every lane, without a division or a branch. Counts
// and palette sizes lie below 2^31, so in double precision every value here is
// an exact integer; the quotient rounded to nearest is at most one too large,
// and one correction makes the remainder exact. Integers below 2^52 convert
// by their bits: 2^52 + k has exactly the bits of 2^52 with k in the low ones.
template <int W>
QUIRL32_INLINE typename Lanes<W>::I
Remainder(typename Lanes<W>::I count, typename Lanes<W>::D nColors, typename Lanes<W>::D inverse) {
    typedef typename Lanes<W>::D D;
    typedef typename Lanes<W>::I I;
    const D twoTo52 = Splat<W>(4503599627370496.0);
    const I twoTo52Bits = SplatInt<W>(0x4330000000000000);
    const D c = AsDouble<W>(count | twoTo52Bits) - twoTo52;
    const D q = (c * inverse + twoTo52) - twoTo52;
    D r = c - q * nColors;
    r = NotGreaterEqual<W>(r, Splat<W>(0.0)) ? r + nColors : r;
    return AsInt<W>(r + twoTo52) ^ twoTo52Bits;
}

// Writes the indices of the lanes named by bits. A lane still alive here ran
// into the limit or a cycle and gives 0, as does a count that reached the
// limit. Every lane is stored, the others to a scratch place, so that no
// branch depends on how many lanes finished.
template <int W>
QUIRL32_INLINE void WriteOut(const VecState<W>& s, unsigned bits, Feed& feed,
                             typename Lanes<W>::I limit, typename Lanes<W>::D nColors,
                             typename Lanes<W>::D inverse) {
    typedef typename Lanes<W>::I I;
    const I counted = ~AliveLanes<W>(s) & ~AtLeast<W>(s.cnt, limit);
    const I index = Remainder<W>(s.cnt, nColors, inverse) & counted;
    // The plain loop made count iterations, or limit ones where it ran into it.
    const I work = counted ? s.cnt : limit;
    std::int64_t slot[W], value[W], made[W];
    ToArray<W>(s.slot, slot);
    ToArray<W>(index, value);
    ToArray<W>(work, made);
    std::int32_t scratch = 0;
    std::int64_t iterations = 0;
    for (int l = 0; l < W; ++l) {
        const bool finished = (bits >> l & 1) != 0;
        std::int32_t* to = finished ? feed.out + slot[l] : &scratch;
        *to = static_cast<std::int32_t>(value[l]);
        iterations += finished ? made[l] : 0;
    }
    feed.iterations += iterations;
}

// Gives the lanes named by bits the next pixels; lanes left without one go
// idle. Returns the number of lanes that got a pixel.
template <int W> QUIRL32_INLINE int Refill(VecState<W>& s, unsigned bits, Feed& feed) {
    typedef typename Lanes<W>::D D;
    typedef typename Lanes<W>::I I;
    const int wanted = PopCount(bits);
    feed.Prepare(wanted);
    const unsigned fresh = feed.Available() >= wanted ? bits : LowestBits(bits, feed.Available());
    const D zero = Splat<W>(0.0);
    const I keep = ~BitsMask<W>(bits);
    const I got = BitsMask<W>(fresh);
    const D re = Expand<W>(zero, fresh, feed.re + feed.pos);
    const D im = Expand<W>(zero, fresh, feed.im + feed.pos);
    s.slot = Expand<W>(s.slot, fresh, feed.slot + feed.pos);
    feed.pos += PopCount(fresh);
    s.x = keep ? s.x : re;
    s.y = keep ? s.y : im;
    s.cr = keep ? s.cr : re;
    s.ci = keep ? s.ci : im;
    s.cnt &= keep;
    SetAliveLanes<W>(s, (AliveLanes<W>(s) & keep) | got);
    s.busy = (s.busy & keep) | got;
    return PopCount(fresh);
}

// Block end for one vector: finish lanes, refill them, renew saved points.
template <int W>
QUIRL32_INLINE void EndBlock(VecState<W>& s, const Constants<W>& k, Feed& feed, int& busyLanes) {
    const typename Lanes<W>::I limit = k.limit;
    typedef typename Lanes<W>::I I;
    const I alive = AliveLanes<W>(s);
    const I cycle = alive & Equal<W>(s.x, s.sx) & Equal<W>(s.y, s.sy);
    const I nan = NotEqual<W>(s.x, s.x) | NotEqual<W>(s.y, s.y);
    const I done = s.busy & (~alive | AtLeast<W>(s.cnt, limit) | cycle | nan);
    const unsigned bits = MaskBits<W>(done);
    if (bits != 0) {
        WriteOut<W>(s, bits, feed, limit, k.nColors, k.inverse);
        busyLanes += Refill<W>(s, bits, feed) - PopCount(bits);
    }
    // Refilled lanes have count 0 and save their first point here.
    const I renew = ~NonZero<W>(s.cnt & (s.cnt - 1));
    s.sx = renew ? s.x : s.sx;
    s.sy = renew ? s.y : s.sy;
}

// Moves every busy lane into the first vectors, busy lanes first; returns
// how many vectors they fill.
template <int W, int V> int Pack(VecState<W>* st) {
    constexpr int kLanes = W * V;
    double v[6][kLanes];
    std::int64_t k[4][kLanes];
    for (int i = 0; i < V; ++i) {
        __builtin_memcpy(&v[0][i * W], &st[i].x, sizeof(st[i].x));
        __builtin_memcpy(&v[1][i * W], &st[i].y, sizeof(st[i].y));
        __builtin_memcpy(&v[2][i * W], &st[i].cr, sizeof(st[i].cr));
        __builtin_memcpy(&v[3][i * W], &st[i].ci, sizeof(st[i].ci));
        __builtin_memcpy(&v[4][i * W], &st[i].sx, sizeof(st[i].sx));
        __builtin_memcpy(&v[5][i * W], &st[i].sy, sizeof(st[i].sy));
        __builtin_memcpy(&k[0][i * W], &st[i].cnt, sizeof(st[i].cnt));
        const typename Lanes<W>::I alive = AliveLanes<W>(st[i]);
        __builtin_memcpy(&k[1][i * W], &alive, sizeof(alive));
        __builtin_memcpy(&k[2][i * W], &st[i].busy, sizeof(st[i].busy));
        __builtin_memcpy(&k[3][i * W], &st[i].slot, sizeof(st[i].slot));
    }
    int busy = 0;
    for (int l = 0; l < kLanes; ++l) {
        if (k[2][l] == 0) {
            continue;
        }
        for (int a = 0; a < 6; ++a) {
            const double t = v[a][busy];
            v[a][busy] = v[a][l];
            v[a][l] = t;
        }
        for (int a = 0; a < 4; ++a) {
            const std::int64_t t = k[a][busy];
            k[a][busy] = k[a][l];
            k[a][l] = t;
        }
        ++busy;
    }
    for (int i = 0; i < V; ++i) {
        __builtin_memcpy(&st[i].x, &v[0][i * W], sizeof(st[i].x));
        __builtin_memcpy(&st[i].y, &v[1][i * W], sizeof(st[i].y));
        __builtin_memcpy(&st[i].cr, &v[2][i * W], sizeof(st[i].cr));
        __builtin_memcpy(&st[i].ci, &v[3][i * W], sizeof(st[i].ci));
        __builtin_memcpy(&st[i].sx, &v[4][i * W], sizeof(st[i].sx));
        __builtin_memcpy(&st[i].sy, &v[5][i * W], sizeof(st[i].sy));
        __builtin_memcpy(&st[i].cnt, &k[0][i * W], sizeof(st[i].cnt));
        typename Lanes<W>::I alive;
        __builtin_memcpy(&alive, &k[1][i * W], sizeof(alive));
        SetAliveLanes<W>(st[i], alive);
        __builtin_memcpy(&st[i].busy, &k[2][i * W], sizeof(st[i].busy));
        __builtin_memcpy(&st[i].slot, &k[3][i * W], sizeof(st[i].slot));
    }
    return (busy + W - 1) / W;
}

// The vectors are handled one by one with constant indices, never in a loop
// over the array, so that the compiler keeps every lane in a register.
template <int W, int N, int v = 0>
QUIRL32_INLINE void StepAll(VecState<W> (&s)[N], const Constants<W>& k) {
    if constexpr (v < N) {
        Step<W>(s[v], k.two, k.four);
        StepAll<W, N, v + 1>(s, k);
    }
}

template <int W, int N, int v = 0>
QUIRL32_INLINE void EndBlockAll(VecState<W> (&s)[N], const Constants<W>& k, Feed& feed,
                                int& busyLanes) {
    if constexpr (v < N) {
        EndBlock<W>(s[v], k, feed, busyLanes);
        EndBlockAll<W, N, v + 1>(s, k, feed, busyLanes);
    }
}

template <int W, int N, int v = 0>
QUIRL32_INLINE void CopyAll(VecState<W>* to, const VecState<W>* from) {
    if constexpr (v < N) {
        to[v] = from[v];
        CopyAll<W, N, v + 1>(to, from);
    }
}

// Runs the first N vectors until the run is done or, once it has no pixels
// left, until fewer vectors would hold the busy lanes. Returns how many
// vectors are still needed (0 when done).
template <int W, int N, int B>
int RunVectors(VecState<W>* st, const KernelParams& params, Feed& feed, int& busyLanes) {
    Constants<W> k;
    k.two = Splat<W>(2.0);
#if QUIRL32_KERNEL_ISA == 2
    // Hides the value from the compiler, which would turn x * 2 back into x + x.
    __asm__("" : "+x"(k.two));
#endif
    k.four = Splat<W>(4.0);
    k.nColors = Splat<W>(params.nColors);
    k.inverse = Splat<W>(1.0 / params.nColors);
    k.limit = SplatInt<W>(params.limit);
    VecState<W> s[N];
    CopyAll<W, N>(s, st);
    while (busyLanes > 0 && !(feed.Exhausted() && busyLanes <= W * (N - 1))) {
        for (int step = 0; step < B; ++step) {
            StepAll<W, N>(s, k);
        }
        EndBlockAll<W, N>(s, k, feed, busyLanes);
    }
    CopyAll<W, N>(st, s);
    return busyLanes > 0 ? (busyLanes + W - 1) / W : 0;
}

// W lanes a vector, V vectors in flight (1 to 4), blocks of B steps (a power
// of two, so that a busy lane's count is a power of two exactly at the block
// ends where its saved point is due for renewal).
template <int W, int V, int B>
std::int64_t RunBlocks(const KernelParams& params, const baseline_kernel::PixelRun* runs, int count,
                       std::int32_t* out) {
    static_assert(B > 0 && (B & (B - 1)) == 0, "steps per block: a power of two");
    static_assert(V >= 1 && V <= 4, "vectors in flight: 1 to 4");
    typedef typename Lanes<W>::D D;
    typedef typename Lanes<W>::I I;
    Feed feed(params, runs, count, out);
    if (feed.total == 0) {
        return 0;
    }
    if (params.limit <= 1 || params.nColors <= 0) {
        // The plain loop gives 0 everywhere: a count never exceeds the limit
        // and equals it when it reaches 1. With a limit of 1 it iterates once
        // for every point inside the disk.
        while (!feed.Exhausted()) {
            feed.Prepare(Feed::kBatch);
            for (int i = feed.pos; i < feed.end; ++i) {
                out[feed.slot[i]] = 0;
            }
            feed.iterations += params.limit == 1 ? feed.end - feed.pos : 0;
            feed.pos = feed.end;
        }
        return feed.iterations;
    }

    VecState<W> st[V];
    int busyLanes = 0;
    const D zero = Splat<W>(0.0);
    const I none = SplatInt<W>(0);
    constexpr unsigned kAllLanes = (1u << W) - 1;
    for (int v = 0; v < V; ++v) {
        st[v] = VecState<W>{zero, zero, zero, zero, zero, zero, none, {}, none, none};
        SetAliveLanes<W>(st[v], none);
        busyLanes += Refill<W>(st[v], kAllLanes, feed);
        st[v].sx = st[v].x;
        st[v].sy = st[v].y;
    }
    int vectors = V;
    while (vectors > 0) {
        if (vectors < V || busyLanes <= W * (V - 1)) {
            vectors = Pack<W, V>(st);
        }
        switch (vectors) {
        case 4:
            vectors = RunVectors<W, (V >= 4 ? 4 : 1), B>(st, params, feed, busyLanes);
            break;
        case 3:
            vectors = RunVectors<W, (V >= 3 ? 3 : 1), B>(st, params, feed, busyLanes);
            break;
        case 2:
            vectors = RunVectors<W, (V >= 2 ? 2 : 1), B>(st, params, feed, busyLanes);
            break;
        case 1:
            vectors = RunVectors<W, 1, B>(st, params, feed, busyLanes);
            break;
        default:
            vectors = 0;
            break;
        }
    }
    return feed.iterations;
}

// A lane that finishes early in a block idles until the block ends, so
// short orbits want short blocks and long ones long blocks, which cost less
// at their ends. The limit bounds the counts and picks the size.
template <int W, int V>
std::int64_t Run(const KernelParams& params, const baseline_kernel::PixelRun* runs, int count,
                 std::int32_t* out) {
    if (params.limit <= 64) {
        return RunBlocks<W, V, 8>(params, runs, count, out);
    } else if (params.limit <= 512) {
        return RunBlocks<W, V, 16>(params, runs, count, out);
    } else {
        return RunBlocks<W, V, 32>(params, runs, count, out);
    }
}

#undef QUIRL32_INLINE

} // namespace QUIRL32_KERNEL_NS
