// The run evaluator's vector lanes, written once with Highway and compiled
// once per instruction set by kernel_run.cpp. Everything here lives in
// Highway's per-target namespace, so the copies never meet at link time.
//
// How it works. W lanes make one vector and N vectors are in flight at once,
// so that the latency of one vector's chain is hidden behind the others.
// The lanes run short blocks of steps without looking at each other; a lane
// that escapes stops counting. At the end of a block the finished lanes of
// each vector are appended to a list of finished pixels (compressed, one
// vector at a time) and given the next pixels of the run (expanded into just
// those lanes), without a branch on which lanes finished, so that a lane
// idles for half a block on average, whatever the orbit lengths; a block end
// where no lane finished is skipped. The block length follows the orbits
// met: short blocks while many lanes finish, long ones, which cost less at
// their ends, while few do. Every lane does exactly the operations of the plain loop in the
// same order, so its count is the plain loop's count. When the run has no
// pixels left, the busy lanes are packed into as few vectors as they fill,
// so that the last long orbits do not drag idle vectors along.
//
// Exact cycle detection (Brent): every span steps, each lane compares its
// current point with a saved orbit point for exact equality (with one or two
// vectors in flight, at every step); the saved point is the pixel's own c at
// first, or the one an orbit taken up again had, and is renewed at the first
// check after the lane's count passes a power of two. An exact repeat proves
// that the orbit never escapes, so the plain loop would run into the limit
// and give index 0: the lane is finished at once. An orbit that has become NaN can never escape
// either and is finished the same way.

#if defined(QUIRL32_ENGINE_KERNEL_LANES_INL_H_) == defined(HWY_TARGET_TOGGLE)
#ifdef QUIRL32_ENGINE_KERNEL_LANES_INL_H_
#undef QUIRL32_ENGINE_KERNEL_LANES_INL_H_
#else
#define QUIRL32_ENGINE_KERNEL_LANES_INL_H_
#endif

#include "engine/kernel/kernel_feed.h"

#include <hwy/highway.h>

#include <limits>

HWY_BEFORE_NAMESPACE();
namespace kernel_lanes {
namespace HWY_NAMESPACE {

namespace hn = hwy::HWY_NAMESPACE;
using kernel_variants::Feed;
using kernel_variants::Finished;
using kernel_variants::PixelRun;

// The plain level is one lane on the target without vector instructions.
constexpr bool kOneLane = HWY_TARGET == HWY_SCALAR || HWY_TARGET == HWY_EMU128;
using D = hn::CappedTag<double, kOneLane ? 1 : HWY_LANES(double)>;
using DI = hn::RebindToSigned<D>;
using V = hn::Vec<D>;
using VI = hn::Vec<DI>;
using M = hn::Mask<D>;
using MI = hn::Mask<DI>;
constexpr int W = int(hn::MaxLanes(D()));

// Doubling is exact, so x * 2 is x + x to the bit. With AVX2 the adders are
// the busier units and the multipliers take the doubling faster; elsewhere
// measured the other way round.
constexpr bool kDoubleByMultiply = HWY_TARGET == HWY_AVX2;

// The lanes of a mask as bits, lane l in bit l, and back.
HWY_INLINE unsigned MaskBits(M m) {
#if HWY_TARGET == HWY_AVX3
    return m.raw;
#else
    std::uint8_t bits[8] = {};
    hn::StoreMaskBits(D(), m, bits);
    return bits[0];
#endif
}

HWY_INLINE M BitsMask(unsigned bits) {
#if HWY_TARGET == HWY_AVX3
    M m;
    m.raw = static_cast<__mmask8>(bits);
    return m;
#else
    const std::uint8_t b[8] = {static_cast<std::uint8_t>(bits)};
    return hn::LoadMaskBits(D(), b);
#endif
}

#if HWY_TARGET != HWY_AVX3
// For each lane mask, where each lane of an expansion takes its value from
// (the k-th set lane takes the k-th of the values read), and where each lane
// of a compression does (the k-th lane takes the k-th set lane). Highway's
// own Compress builds its table on the stack at every call.
struct LaneTables {
    std::int64_t expand[1 << W][W];
    std::int64_t compress[1 << W][W];
    constexpr LaneTables() : expand{}, compress{} {
        for (int m = 0; m < (1 << W); ++m) {
            int k = 0;
            for (int l = 0; l < W; ++l) {
                expand[m][l] = (m >> l & 1) ? k++ : l;
            }
            k = 0;
            for (int l = 0; l < W; ++l) {
                if (m >> l & 1) {
                    compress[m][k++] = l;
                }
            }
            for (int l = 0; l < W; ++l) {
                if (!(m >> l & 1)) {
                    compress[m][k++] = l;
                }
            }
        }
    }
};
constexpr LaneTables kLaneTables;
#endif

// The lanes of m (bits) moved to the front, in lane order.
HWY_INLINE VI CompressLanes(VI v, M m, unsigned bits) {
#if HWY_TARGET == HWY_AVX3
    (void)bits;
    return VI{_mm512_maskz_compress_epi64(m.raw, v.raw)};
#else
    (void)m;
    if constexpr (W == 1) {
        (void)bits;
        return v;
    } else {
        return hn::TableLookupLanes(v, hn::SetTableIndices(DI(), kLaneTables.compress[bits]));
    }
#endif
}

// Consecutive values from src in the lanes of m (bits), in lane order; the
// other lanes hold any of the values. Reads W values.
HWY_INLINE V Spread(M m, unsigned bits, const double* src) {
#if HWY_TARGET == HWY_AVX3
    (void)bits;
    return V{_mm512_maskz_expand_pd(m.raw, _mm512_loadu_pd(src))};
#else
    (void)m;
    if constexpr (W == 1) {
        (void)bits;
        return hn::LoadU(D(), src);
    } else {
        return hn::TableLookupLanes(hn::LoadU(D(), src),
                                    hn::SetTableIndices(D(), kLaneTables.expand[bits]));
    }
#endif
}

HWY_INLINE VI Spread(M m, unsigned bits, const std::int64_t* src) {
#if HWY_TARGET == HWY_AVX3
    (void)bits;
    return VI{_mm512_maskz_expand_epi64(m.raw, _mm512_loadu_si512(src))};
#else
    (void)m;
    if constexpr (W == 1) {
        (void)bits;
        return hn::LoadU(DI(), src);
    } else {
        return hn::TableLookupLanes(hn::LoadU(DI(), src),
                                    hn::SetTableIndices(DI(), kLaneTables.expand[bits]));
    }
#endif
}

// Loads consecutive values from src into the lanes of m (bits), in lane
// order, keeping the other lanes of old. Reads W values.
HWY_INLINE V ExpandInto(V old, M m, unsigned bits, const double* src) {
#if HWY_TARGET == HWY_AVX3
    (void)bits;
    return V{_mm512_mask_expand_pd(old.raw, m.raw, _mm512_loadu_pd(src))};
#else
    const V loaded = hn::LoadU(D(), src);
    if constexpr (W == 1) {
        (void)bits;
        return hn::IfThenElse(m, loaded, old);
    } else {
        const V spread =
            hn::TableLookupLanes(loaded, hn::SetTableIndices(D(), kLaneTables.expand[bits]));
        return hn::IfThenElse(m, spread, old);
    }
#endif
}

HWY_INLINE VI ExpandInto(VI old, M m, unsigned bits, const std::int64_t* src) {
#if HWY_TARGET == HWY_AVX3
    (void)bits;
    return VI{_mm512_mask_expand_epi64(old.raw, m.raw, _mm512_loadu_si512(src))};
#else
    const VI loaded = hn::LoadU(DI(), src);
    const MI mi = hn::RebindMask(DI(), m);
    if constexpr (W == 1) {
        (void)bits;
        return hn::IfThenElse(mi, loaded, old);
    } else {
        const VI spread =
            hn::TableLookupLanes(loaded, hn::SetTableIndices(DI(), kLaneTables.expand[bits]));
        return hn::IfThenElse(mi, spread, old);
    }
#endif
}

// The lowest n set bits of bits.
HWY_INLINE unsigned LowestBits(unsigned bits, int n) {
    unsigned r = 0;
    for (; n > 0 && bits != 0; --n) {
        const unsigned low = bits & (0u - bits);
        r |= low;
        bits ^= low;
    }
    return r;
}

HWY_INLINE V CompressLanes(V v, M m, unsigned bits) {
    return hn::BitCast(D(), CompressLanes(hn::BitCast(DI(), v), m, bits));
}

// Clears a vector past the mapped pixels: a vector read from a place before
// the end reads defined values.
HWY_INLINE void ClearTail(Feed& f) {
    hn::StoreU(hn::Zero(D()), D(), f.re + f.end);
    hn::StoreU(hn::Zero(D()), D(), f.im + f.end);
    hn::StoreU(hn::Zero(DI()), DI(), f.slot + f.end);
}

// The steps 0, step, 2 * step, ... of the lanes.
HWY_INLINE VI LaneSteps(int step) {
    std::int64_t steps[W];
    for (int l = 0; l < W; ++l) {
        steps[l] = std::int64_t(l) * step;
    }
    return hn::LoadU(DI(), steps);
}

// Maps the next pixels of the runs, a vector at a time along a line, until
// the batch is full or the runs end, to the bit as the plain loop's caller
// maps them: re = double(px) * scaleX + xMin.
HWY_NOINLINE void Map(Feed& f) {
    int k = f.Keep();
    if constexpr (W == 1) {
        // One lane: pixel by pixel, without masks.
        while (k < Feed::kBatch && f.next < f.total) {
            if (f.next == f.runEnd) {
                f.NextRun();
            }
            const double re = static_cast<double>(f.px) * f.params.scaleX + f.params.xMin;
            const double im = static_cast<double>(f.py) * f.params.scaleY + f.params.yMin;
            if (re * re + im * im >= 4.0) {
                f.out[f.next] = 0;
            } else {
                f.re[k] = re;
                f.im[k] = im;
                f.slot[k] = f.next;
                ++k;
            }
            f.Advance(1);
        }
        f.end = k;
        ClearTail(f);
        return;
    }
    const VI iota = hn::Iota(DI(), 0);
    const V scaleX = hn::Set(D(), f.params.scaleX), scaleY = hn::Set(D(), f.params.scaleY);
    const V xMin = hn::Set(D(), f.params.xMin), yMin = hn::Set(D(), f.params.yMin);
    const V four = hn::Set(D(), 4.0);
    VI stepX = LaneSteps(f.run.dx), stepY = LaneSteps(f.run.dy);
    while (k < Feed::kBatch && f.next < f.total) {
        if (f.next == f.runEnd) {
            f.NextRun();
            stepX = LaneSteps(f.run.dx);
            stepY = LaneSteps(f.run.dy);
        }
        const long long left = f.run.n - f.col;
        const int m = left < W ? int(left) : W;
        const V fx = hn::ConvertTo(D(), hn::Add(hn::Set(DI(), f.px), stepX));
        const V fy = hn::ConvertTo(D(), hn::Add(hn::Set(DI(), f.py), stepY));
        const V re = hn::Add(hn::Mul(fx, scaleX), xMin);
        const V im = hn::Add(hn::Mul(fy, scaleY), yMin);
        // An ordered compare: a NaN point iterates, as in the plain loop.
        const M outside = hn::Ge(hn::Add(hn::Mul(re, re), hn::Mul(im, im)), four);
        const M valid = hn::FirstN(D(), std::size_t(m));
        const M inside = hn::AndNot(outside, valid);
        const unsigned in = MaskBits(inside);
        const VI slots = hn::Add(hn::Set(DI(), f.next), iota);
        if (in == (1u << W) - 1) {
            // The common case inside the disk: nothing to move.
            hn::StoreU(re, D(), f.re + k);
            hn::StoreU(im, D(), f.im + k);
            hn::StoreU(slots, DI(), f.slot + k);
            k += W;
            f.Advance(W);
            continue;
        }
        hn::StoreU(CompressLanes(re, inside, in), D(), f.re + k);
        hn::StoreU(CompressLanes(im, inside, in), D(), f.im + k);
        hn::StoreU(CompressLanes(slots, inside, in), DI(), f.slot + k);
        k += hwy::PopCount(in);
        for (unsigned out = MaskBits(hn::And(outside, valid)); out != 0; out &= out - 1) {
            f.out[f.next + hwy::Num0BitsBelowLS1Bit_Nonzero32(out)] = 0;
        }
        f.Advance(m);
    }
    f.end = k;
    ClearTail(f);
}

// Makes at least want pixels ready, if the runs have that many left.
HWY_INLINE void Prepare(Feed& f, int want) {
    if (f.end - f.pos < want && f.next < f.total) {
        Map(f);
    }
}

// The plain loop gives 0 everywhere when the limit is 1 or less or the
// palette has no colours: a count never exceeds the limit and equals it when
// it reaches 1. With a limit of 1 it iterates once for every point inside
// the disk.
HWY_NOINLINE void WriteZeros(Feed& f) {
    while (!f.Exhausted()) {
        Prepare(f, Feed::kBatch);
        for (int i = f.pos; i < f.end; ++i) {
            f.out[f.slot[i]] = 0;
        }
        f.iterations += f.params.limit == 1 ? f.end - f.pos : 0;
        f.pos = f.end;
    }
}

// One vector of lanes. A busy lane holds a pixel: c = cr + ci i, the orbit
// point (x, y) that has not been tested yet, the count of iterations made,
// whether it is still alive (not escaped), its saved point for the cycle test
// and the pixel's place in the run. An idle lane is neither busy nor alive
// and never counts.
struct Lanes {
    V x, y, cr, ci, sx, sy;
    VI cnt, slot;
    M alive, busy;
};

// What every block needs, made once per run.
struct Constants {
    V two, four;
    VI lastCounted; // limit - 1: a count above it has reached the limit
    VI limit;
    VI span; // steps between two cycle checks
    V nColors, inverse;
};

// count mod nColors in every lane, without a division or a branch. Counts
// and palette sizes lie below 2^31, so in double precision every value here is
// an exact integer; the quotient rounded to nearest is at most one too large,
// and one correction makes the remainder exact. Integers below 2^52 convert
// by their bits: 2^52 + k has exactly the bits of 2^52 with k in the low ones.
HWY_INLINE VI Remainder(VI count, const Constants& k) {
    const V twoTo52 = hn::Set(D(), 4503599627370496.0);
    const VI twoTo52Bits = hn::Set(DI(), 0x4330000000000000);
    const V c = hn::Sub(hn::BitCast(D(), hn::Or(count, twoTo52Bits)), twoTo52);
    const V q = hn::Sub(hn::Add(hn::Mul(c, k.inverse), twoTo52), twoTo52);
    V r = hn::Sub(c, hn::Mul(q, k.nColors));
    r = hn::IfThenElse(hn::Lt(r, hn::Zero(D())), hn::Add(r, k.nColors), r);
    return hn::Xor(hn::BitCast(DI(), hn::Add(r, twoTo52)), twoTo52Bits);
}

// Writes out the finished lanes: the index, 0 where the count reached the
// limit, and the plain loop's iterations.
HWY_NOINLINE void Flush(Finished& fin, Feed& feed, const Constants& k) {
    // The last vector read holds defined counts past the finished ones.
    hn::StoreU(hn::Zero(DI()), DI(), fin.count + fin.n);
    VI made = hn::Zero(DI());
    for (int i = 0; i < fin.n; i += W) {
        const int m = fin.n - i < W ? fin.n - i : W;
        const VI count = hn::LoadU(DI(), fin.count + i);
        const MI counted = hn::Lt(count, k.limit);
        made = hn::Add(made, hn::IfThenElseZero(hn::FirstN(DI(), std::size_t(m)),
                                                hn::IfThenElse(counted, count, k.limit)));
        std::int64_t index[W];
        hn::StoreU(hn::IfThenElseZero(counted, Remainder(count, k)), DI(), index);
        for (int l = 0; l < m; ++l) {
            feed.out[fin.slot[i + l]] = static_cast<std::int32_t>(index[l]);
        }
    }
    feed.iterations += hn::GetLane(hn::SumOfLanes(DI(), made));
    fin.n = 0;
}

// How the blocks go: their length now, and the cycle checks.
struct Schedule {
    int block;      // steps per block, a power of two dividing span
    int span;       // steps between cycle checks
    int sinceCheck; // steps since the last check
    int finished;   // lanes finished since the last check
};

// One step of the plain loop in every lane: test the current point, count the
// iteration if the lane is still alive, then iterate.
HWY_INLINE void Step(Lanes& s, V two, V four) {
    const V xx = hn::Mul(s.x, s.x);
    const V yy = hn::Mul(s.y, s.y);
#if HWY_TARGET == HWY_AVX3
    // The escape test under the alive mask and the count under its result,
    // one instruction each. Not-greater-or-equal keeps a NaN lane alive, as
    // the plain loop keeps iterating a NaN orbit.
    s.alive.raw = _mm512_mask_cmp_pd_mask(s.alive.raw, hn::Add(xx, yy).raw, four.raw, _CMP_NGE_UQ);
    s.cnt.raw = _mm512_mask_sub_epi64(s.cnt.raw, s.alive.raw, s.cnt.raw, _mm512_set1_epi64(-1));
#else
    s.alive = hn::AndNot(hn::Ge(hn::Add(xx, yy), four), s.alive);
    s.cnt = hn::Sub(s.cnt, hn::VecFromMask(DI(), hn::RebindMask(DI(), s.alive)));
#endif
    V twoX;
    if constexpr (kDoubleByMultiply) {
        twoX = hn::Mul(s.x, two);
    } else {
        twoX = hn::Add(s.x, s.x);
    }
    s.x = hn::Add(hn::Sub(xx, yy), s.cr);
    s.y = hn::Add(hn::Mul(s.y, twoX), s.ci);
}

// Lanes whose orbit repeats its saved point exactly or has become NaN.
HWY_INLINE M Endless(const Lanes& s) {
#if HWY_TARGET == HWY_AVX3
    // Three compares straight into mask registers: the second repeat test
    // under the first, and an unordered compare of x with y, true when
    // either is NaN. Built from Highway's masks, the same test went through
    // general registers mask by mask.
    M m;
    m.raw = _mm512_mask_cmp_pd_mask(_mm512_cmp_pd_mask(s.x.raw, s.sx.raw, _CMP_EQ_OQ), s.y.raw,
                                    s.sy.raw, _CMP_EQ_OQ) |
            _mm512_cmp_pd_mask(s.x.raw, s.y.raw, _CMP_UNORD_Q);
    return m;
#else
    const M repeat = hn::And(hn::Eq(s.x, s.sx), hn::Eq(s.y, s.sy));
    // Highway's Ne is an ordered compare, false for NaN; a NaN is the value
    // that is not equal to itself.
    const M nan = hn::Not(hn::And(hn::Eq(s.x, s.x), hn::Eq(s.y, s.y)));
    return hn::Or(repeat, nan);
#endif
}

// Renews the saved points of lanes whose count passed a power of two since
// the last check: its highest bit is above that of the count span steps ago.
HWY_INLINE void Renew(Lanes& s, const Constants& k) {
    const VI before = hn::Sub(s.cnt, k.span);
    const M renew = hn::RebindMask(D(), hn::Gt(hn::Xor(s.cnt, before), before));
    s.sx = hn::IfThenElse(renew, s.x, s.sx);
    s.sy = hn::IfThenElse(renew, s.y, s.sy);
}

// Lanes that have neither escaped nor reached the limit.
HWY_INLINE M Running(const Lanes& s, const Constants& k) {
#if HWY_TARGET == HWY_AVX3
    // One compare under the alive mask.
    M m;
    m.raw = _mm512_mask_cmp_epi64_mask(s.alive.raw, s.cnt.raw, k.lastCounted.raw, _MM_CMPINT_LE);
    return m;
#else
    return hn::AndNot(hn::RebindMask(D(), hn::Gt(s.cnt, k.lastCounted)), s.alive);
#endif
}

// Block end for one vector: lanes that escaped, reached the limit or (at a
// check) repeat themselves are appended to the finished list and given the
// next pixels; the others renew their saved points when due.
HWY_INLINE void EndBlock(Lanes& s, const Constants& k, bool check, M repeated, Feed& feed,
                         Finished& fin, int& busyLanes, int& finished) {
    M running = hn::AndNot(repeated, Running(s, k));
    if (check) {
        running = hn::AndNot(Endless(s), running);
        Renew(s, k);
    }
    const M done = hn::AndNot(running, s.busy);
    if (hn::AllFalse(D(), done)) {
        return;
    }
    // A lane still alive here ran into the limit or a cycle: the plain loop
    // counts the limit for it.
    const MI doneI = hn::RebindMask(DI(), done);
    const unsigned bits = MaskBits(done);
    const VI count = hn::IfThenElse(hn::RebindMask(DI(), s.alive), k.limit, s.cnt);
    hn::StoreU(CompressLanes(count, done, bits), DI(), fin.count + fin.n);
    hn::StoreU(CompressLanes(s.slot, done, bits), DI(), fin.slot + fin.n);
    const int wanted = int(hn::CountTrue(D(), done));
    fin.n += wanted;
    finished += wanted;

    Prepare(feed, wanted);
    const int got = feed.Available() >= wanted ? wanted : feed.Available();
    const unsigned freshBits = got == wanted ? bits : LowestBits(bits, got);
    const M fresh = got == wanted ? done : BitsMask(freshBits);
    s.x = ExpandInto(s.x, fresh, freshBits, feed.re + feed.pos);
    s.y = ExpandInto(s.y, fresh, freshBits, feed.im + feed.pos);
    s.cr = ExpandInto(s.cr, fresh, freshBits, feed.re + feed.pos);
    s.ci = ExpandInto(s.ci, fresh, freshBits, feed.im + feed.pos);
    s.slot = ExpandInto(s.slot, fresh, freshBits, feed.slot + feed.pos);
    feed.pos += got;
    // New pixels start at count 0 with c as their saved point.
    s.sx = hn::IfThenElse(fresh, s.cr, s.sx);
    s.sy = hn::IfThenElse(fresh, s.ci, s.sy);
    s.cnt = hn::IfThenZeroElse(doneI, s.cnt);
    s.alive = hn::Or(hn::AndNot(done, s.alive), fresh);
    s.busy = hn::Or(hn::AndNot(done, s.busy), fresh);
    busyLanes += got - wanted;
}

// Block end for one vector while the run has pixels for every lane: all
// lanes are busy, and every lane that finished is given a new pixel at once.
// Nothing here branches on the lanes, so that no branch mispredicts
// whichever lanes finish; a vector without finished lanes appends nothing.
HWY_INLINE void Refill(Lanes& s, M running, const Constants& k, const Feed& feed, int& pos,
                       Finished& fin, int& finN) {
    const M done = hn::Not(running);
    if constexpr (W == 1) {
        // One lane: a branch costs less than the masked work.
        if (hn::AllFalse(D(), done)) {
            return;
        }
    }
    const MI doneI = hn::RebindMask(DI(), done);
    const unsigned bits = MaskBits(done);
    const int n = hwy::PopCount(bits);
    const VI count = hn::IfThenElse(hn::RebindMask(DI(), s.alive), k.limit, s.cnt);
    hn::StoreU(CompressLanes(count, done, bits), DI(), fin.count + finN);
    hn::StoreU(CompressLanes(s.slot, done, bits), DI(), fin.slot + finN);
    finN += n;
    const V re = Spread(done, bits, feed.re + pos);
    const V im = Spread(done, bits, feed.im + pos);
    s.slot = hn::IfThenElse(doneI, Spread(done, bits, feed.slot + pos), s.slot);
    pos += n;
    // New pixels start at count 0 with c as their saved point.
    s.x = hn::IfThenElse(done, re, s.x);
    s.y = hn::IfThenElse(done, im, s.y);
    s.cr = hn::IfThenElse(done, re, s.cr);
    s.ci = hn::IfThenElse(done, im, s.ci);
    s.sx = hn::IfThenElse(done, re, s.sx);
    s.sy = hn::IfThenElse(done, im, s.sy);
    s.cnt = hn::IfThenZeroElse(doneI, s.cnt);
    s.alive = hn::Or(s.alive, done);
}

// Moves every busy lane into the first vectors; returns how many vectors
// they fill.
template <int N> int Pack(Lanes* st) {
    constexpr int kLanes = W * N;
    double v[6][kLanes];
    std::int64_t c[2][kLanes];
    bool alive[kLanes], busy[kLanes];
    for (int i = 0; i < N; ++i) {
        hn::StoreU(st[i].x, D(), &v[0][i * W]);
        hn::StoreU(st[i].y, D(), &v[1][i * W]);
        hn::StoreU(st[i].cr, D(), &v[2][i * W]);
        hn::StoreU(st[i].ci, D(), &v[3][i * W]);
        hn::StoreU(st[i].sx, D(), &v[4][i * W]);
        hn::StoreU(st[i].sy, D(), &v[5][i * W]);
        hn::StoreU(st[i].cnt, DI(), &c[0][i * W]);
        hn::StoreU(st[i].slot, DI(), &c[1][i * W]);
        const unsigned a = MaskBits(st[i].alive), b = MaskBits(st[i].busy);
        for (int l = 0; l < W; ++l) {
            alive[i * W + l] = (a >> l & 1) != 0;
            busy[i * W + l] = (b >> l & 1) != 0;
        }
    }
    int packed = 0;
    for (int l = 0; l < kLanes; ++l) {
        if (!busy[l]) {
            continue;
        }
        for (auto& a : v) {
            const double t = a[packed];
            a[packed] = a[l];
            a[l] = t;
        }
        for (auto& a : c) {
            const std::int64_t t = a[packed];
            a[packed] = a[l];
            a[l] = t;
        }
        const bool t = alive[packed];
        alive[packed] = alive[l];
        alive[l] = t;
        busy[l] = false;
        busy[packed] = true;
        ++packed;
    }
    for (int i = 0; i < N; ++i) {
        st[i].x = hn::LoadU(D(), &v[0][i * W]);
        st[i].y = hn::LoadU(D(), &v[1][i * W]);
        st[i].cr = hn::LoadU(D(), &v[2][i * W]);
        st[i].ci = hn::LoadU(D(), &v[3][i * W]);
        st[i].sx = hn::LoadU(D(), &v[4][i * W]);
        st[i].sy = hn::LoadU(D(), &v[5][i * W]);
        st[i].cnt = hn::LoadU(DI(), &c[0][i * W]);
        st[i].slot = hn::LoadU(DI(), &c[1][i * W]);
        unsigned a = 0, b = 0;
        for (int l = 0; l < W; ++l) {
            a |= alive[i * W + l] ? 1u << l : 0u;
            b |= busy[i * W + l] ? 1u << l : 0u;
        }
        st[i].alive = BitsMask(a);
        st[i].busy = BitsMask(b);
    }
    return (packed + W - 1) / W;
}

// The vectors are handled one by one with constant indices, never in a loop
// over the array, so that the compiler keeps every lane in a register.
template <int N, int v = 0> HWY_INLINE void StepAll(Lanes (&s)[N], const Constants& k) {
    if constexpr (v < N) {
        Step(s[v], k.two, k.four);
        StepAll<N, v + 1>(s, k);
    }
}

template <int N, int v = 0>
HWY_INLINE void EndBlockAll(Lanes (&s)[N], const Constants& k, bool check, const M (&repeated)[N],
                            Feed& feed, Finished& fin, int& busyLanes, int& finished) {
    if constexpr (v < N) {
        EndBlock(s[v], k, check, repeated[v], feed, fin, busyLanes, finished);
        EndBlockAll<N, v + 1>(s, k, check, repeated, feed, fin, busyLanes, finished);
    }
}

// One step in every lane, noting the lanes whose new point repeats their
// saved point exactly.
template <int N, int v = 0>
HWY_INLINE void StepAllWatching(Lanes (&s)[N], const Constants& k, M (&repeated)[N]) {
    if constexpr (v < N) {
        Step(s[v], k.two, k.four);
        repeated[v] =
            hn::Or(repeated[v], hn::And(hn::Eq(s[v].x, s[v].sx), hn::Eq(s[v].y, s[v].sy)));
        StepAllWatching<N, v + 1>(s, k, repeated);
    }
}

// Block end for N vectors whose lanes are all busy. Long orbits skip it
// when no lane has finished.
template <int N>
HWY_INLINE void RefillAll(Lanes (&s)[N], const Constants& k, bool check, Feed& feed, Finished& fin,
                          int& finished) {
    M running[N];
    for (int v = 0; v < N; ++v) {
        running[v] = Running(s[v], k);
    }
    if (check) {
        for (int v = 0; v < N; ++v) {
            running[v] = hn::AndNot(Endless(s[v]), running[v]);
            Renew(s[v], k);
        }
    }
    M all = running[0];
    for (int v = 1; v < N; ++v) {
        all = hn::And(all, running[v]);
    }
    if (hn::AllTrue(D(), all)) {
        return;
    }
    int pos = feed.pos, finN = fin.n;
    for (int v = 0; v < N; ++v) {
        Refill(s[v], running[v], k, feed, pos, fin, finN);
    }
    finished += finN - fin.n;
    feed.pos = pos;
    fin.n = finN;
}

template <int N, int v = 0> HWY_INLINE void CopyAll(Lanes* to, const Lanes* from) {
    if constexpr (v < N) {
        to[v] = from[v];
        CopyAll<N, v + 1>(to, from);
    }
}

// The block length for the orbits met in the last span: lanes that finish
// early in a block idle until its end, while every block end costs the same
// whether few or many lanes finish there.
HWY_INLINE void Adapt(Schedule& sched, int busyLanes) {
    const std::int64_t steps = std::int64_t(busyLanes) * sched.span;
    const std::int64_t perPixel = sched.finished > 0 ? steps / sched.finished : steps;
    int block = perPixel < 40 ? 8 : perPixel < 160 ? 16 : 32;
    sched.block = block < sched.span ? block : sched.span;
    sched.finished = 0;
}

// Runs all N vectors, every lane busy, while the run has a pixel for every
// lane that could finish in the next block.
template <int N>
void RunFeeding(Lanes* st, const Constants& k, Schedule& sched, Feed& feed, Finished& fin) {
    Lanes s[N];
    CopyAll<N>(s, st);
    for (;;) {
        Prepare(feed, N * W);
        if (feed.Available() < N * W) {
            break;
        }
        for (int step = 0; step < sched.block; ++step) {
            StepAll<N>(s, k);
        }
        feed.spent += sched.block * feed.perStep;
        sched.sinceCheck += sched.block;
        const bool check = sched.sinceCheck == sched.span;
        RefillAll<N>(s, k, check, feed, fin, sched.finished);
        if (check) {
            sched.sinceCheck = 0;
            Adapt(sched, N * W);
        }
        if (fin.n >= Finished::kFlushAt) {
            Flush(fin, feed, k);
        }
        if (feed.Stopped()) {
            break;
        }
    }
    CopyAll<N>(st, s);
}

// Whether every orbit in flight is young enough to be handed to a later
// call. There it runs beside new pixels, compared with its saved point only
// every span steps, so that a long cycle whose length does not divide the
// span is found many times later than at the end of a tail, where one or
// two vectors compare at every step: old orbits, the likeliest to be such
// cycles, stay in the tail.
template <int N> HWY_INLINE bool YoungOrbits(const Lanes (&s)[N]) {
    constexpr std::int64_t kYoung = std::int64_t(1) << 16;
    VI most = s[0].cnt;
    for (int v = 1; v < N; ++v) {
        most = hn::Max(most, s[v].cnt);
    }
    return hn::GetLane(hn::MaxOfLanes(DI(), most)) < kYoung;
}

// Runs the first N vectors until the run is done or, once it has no pixels
// left, until fewer vectors would hold the busy lanes, or until the tail
// (fewer than full vectors) has run its steps (Feed::tailCap) while every
// orbit in flight is young. Returns how many vectors are still needed (0
// when done).
template <int N>
int RunVectors(Lanes* st, const Constants& k, Schedule& sched, Feed& feed, Finished& fin,
               int& busyLanes, int full) {
    Lanes s[N];
    CopyAll<N>(s, st);
    // With few vectors the steps wait on their own results, and comparing
    // every new point with the saved one costs no time: a long cycle is then
    // found as soon as it closes, not only when it closes at a check.
    constexpr bool kWatch = N <= 2;
    // Whether every pixel has begun and some lanes idle.
    const bool tail = feed.Exhausted() && N < full;
    while (busyLanes > 0 && !(feed.Exhausted() && busyLanes <= W * (N - 1)) && !feed.Stopped()) {
        M repeated[N];
        for (int v = 0; v < N; ++v) {
            repeated[v] = hn::FirstN(D(), 0);
        }
        for (int step = 0; step < sched.block; ++step) {
            if constexpr (kWatch) {
                StepAllWatching<N>(s, k, repeated);
            } else {
                StepAll<N>(s, k);
            }
        }
        feed.spent += sched.block * feed.perStep;
        if (tail) {
            feed.tailSteps += sched.block;
            if (feed.tailSteps >= feed.tailCap && !YoungOrbits<N>(s)) {
                feed.tailCap = std::numeric_limits<std::int64_t>::max();
            }
        }
        sched.sinceCheck += sched.block;
        const bool check = sched.sinceCheck == sched.span;
        EndBlockAll<N>(s, k, check, repeated, feed, fin, busyLanes, sched.finished);
        if (check) {
            sched.sinceCheck = 0;
            Adapt(sched, busyLanes);
        }
        if (fin.n >= Finished::kFlushAt) {
            Flush(fin, feed, k);
        }
    }
    CopyAll<N>(st, s);
    return busyLanes > 0 ? (busyLanes + W - 1) / W : 0;
}

// A lane's orbit as it stands, to be handed out or taken up again.
struct LaneStates {
    double x[W], y[W], sx[W], sy[W];
    std::int64_t cnt[W], slot[W];

    explicit LaneStates(const Lanes& s) {
        hn::StoreU(s.x, D(), x);
        hn::StoreU(s.y, D(), y);
        hn::StoreU(s.sx, D(), sx);
        hn::StoreU(s.sy, D(), sy);
        hn::StoreU(s.cnt, DI(), cnt);
        hn::StoreU(s.slot, DI(), slot);
    }
    void Into(Lanes& s) const {
        s.x = hn::LoadU(D(), x);
        s.y = hn::LoadU(D(), y);
        s.sx = hn::LoadU(D(), sx);
        s.sy = hn::LoadU(D(), sy);
        s.cnt = hn::LoadU(DI(), cnt);
    }
};

// Lanes that took up a pixel the call resumes go on from where it stood.
HWY_INLINE void Resume(Lanes& s, const KernelStop& stop) {
    LaneStates states(s);
    bool any = false;
    for (unsigned busy = MaskBits(s.busy); busy != 0; busy &= busy - 1) {
        const int l = hwy::Num0BitsBelowLS1Bit_Nonzero32(busy);
        if (states.slot[l] >= stop.resumed) {
            continue;
        }
        const OrbitState& o = stop.resume[states.slot[l]];
        states.x[l] = o.x;
        states.y[l] = o.y;
        states.sx[l] = o.savedX;
        states.sy[l] = o.savedY;
        states.cnt[l] = o.count;
        any = true;
    }
    if (any) {
        states.Into(s);
    }
}

// Stopped before the end: the busy lanes' pixels are in flight, and where
// they stand goes to stop; those mapped or left to map are not begun.
template <int kVectors> void MarkUnfinished(const Lanes* st, Feed& feed, KernelStop& stop) {
    for (int v = 0; v < kVectors; ++v) {
        const LaneStates states(st[v]);
        for (unsigned busy = MaskBits(st[v].busy); busy != 0; busy &= busy - 1) {
            const int l = hwy::Num0BitsBelowLS1Bit_Nonzero32(busy);
            feed.out[states.slot[l]] = kPixelInFlight;
            stop.stopped[stop.nStopped++] = OrbitState{states.x[l],  states.y[l],   states.sx[l],
                                                       states.sy[l], states.cnt[l], states.slot[l]};
        }
    }
    for (int i = feed.pos; i < feed.end; ++i) {
        feed.out[feed.slot[i]] = kPixelNotBegun;
    }
    for (std::int64_t i = feed.next; i < feed.total; ++i) {
        feed.out[i] = kPixelNotBegun;
    }
}

// Steps a tail runs before a call that may stop there does: short tails,
// as at small limits, cost less than stopping and taking the orbits up again.
constexpr std::int64_t kTailSteps = 1024;

// W lanes a vector, kVectors vectors in flight (1 to 5). Given stop, it
// takes up the pixels stop resumes and may stop before the end.
template <int kVectors>
std::int64_t RunLanes(const KernelParams& params, const PixelRun* runs, int count,
                      std::int32_t* out, KernelStop* stop) {
    static_assert(kVectors >= 1 && kVectors <= 5, "vectors in flight: 1 to 5");
    static_assert(kVectors * W <= KernelStop::kMaxInFlight, "room for the lanes in flight");
    Feed feed(params, runs, count, out,
              stop != nullptr ? stop->cap : std::numeric_limits<std::int64_t>::max());
    feed.perStep = kVectors * W;
    if (stop != nullptr && stop->stopInTail) {
        feed.tailCap = kTailSteps;
    }
    if (feed.total == 0) {
        return 0;
    }
    if (params.limit <= 1 || params.nColors <= 0) {
        WriteZeros(feed);
        return feed.iterations;
    }
    Finished fin;

    Constants k;
    k.two = hn::Set(D(), 2.0);
#if HWY_TARGET == HWY_AVX2
    // Hides the value from the compiler, which would turn x * 2 back into x + x.
    __asm__("" : "+x"(k.two.raw));
#endif
    k.four = hn::Set(D(), 4.0);
    k.lastCounted = hn::Set(DI(), std::int64_t(params.limit) - 1);
    k.limit = hn::Set(DI(), params.limit);
    k.nColors = hn::Set(D(), params.nColors);
    k.inverse = hn::Set(D(), 1.0 / params.nColors);
    // Checks for cycles every 32 steps: checking every 8 at small limits, as
    // the blocks did before, cost more than the cycles it found saved.
    Schedule sched{};
    sched.span = 32;
    sched.block = sched.span;
    k.span = hn::Set(DI(), sched.span);

    Lanes st[kVectors];
    int busyLanes = 0;
    constexpr unsigned kAllLanes = (1u << W) - 1;
    for (int v = 0; v < kVectors; ++v) {
        const V zero = hn::Zero(D());
        st[v] = Lanes{zero, zero,           zero,           zero,        zero,
                      zero, hn::Zero(DI()), hn::Zero(DI()), BitsMask(0), BitsMask(0)};
        Prepare(feed, W);
        const int got = feed.Available() >= W ? W : feed.Available();
        const unsigned bits = LowestBits(kAllLanes, got);
        const M fresh = BitsMask(bits);
        st[v].x = st[v].cr = st[v].sx = ExpandInto(zero, fresh, bits, feed.re + feed.pos);
        st[v].y = st[v].ci = st[v].sy = ExpandInto(zero, fresh, bits, feed.im + feed.pos);
        st[v].slot = ExpandInto(hn::Zero(DI()), fresh, bits, feed.slot + feed.pos);
        st[v].alive = st[v].busy = fresh;
        feed.pos += got;
        busyLanes += got;
        if (stop != nullptr && stop->resumed > 0) {
            Resume(st[v], *stop);
        }
    }
    if (busyLanes == W * kVectors) {
        RunFeeding<kVectors>(st, k, sched, feed, fin);
    }
    int vectors = kVectors;
    while (vectors > 0 && !feed.Stopped()) {
        if (vectors < kVectors || busyLanes <= W * (kVectors - 1)) {
            vectors = Pack<kVectors>(st);
        }
        switch (vectors) {
        case 5:
            vectors =
                RunVectors<(kVectors >= 5 ? 5 : 1)>(st, k, sched, feed, fin, busyLanes, kVectors);
            break;
        case 4:
            vectors =
                RunVectors<(kVectors >= 4 ? 4 : 1)>(st, k, sched, feed, fin, busyLanes, kVectors);
            break;
        case 3:
            vectors =
                RunVectors<(kVectors >= 3 ? 3 : 1)>(st, k, sched, feed, fin, busyLanes, kVectors);
            break;
        case 2:
            vectors =
                RunVectors<(kVectors >= 2 ? 2 : 1)>(st, k, sched, feed, fin, busyLanes, kVectors);
            break;
        case 1:
            vectors = RunVectors<1>(st, k, sched, feed, fin, busyLanes, kVectors);
            break;
        default:
            vectors = 0;
            break;
        }
    }
    if (vectors > 0 && stop != nullptr) {
        MarkUnfinished<kVectors>(st, feed, *stop);
        stop->stoppedInTail = feed.tailSteps >= feed.tailCap;
    }
    Flush(fin, feed, k);
    if (stop != nullptr) {
        stop->spent += feed.spent;
    }
    return feed.iterations;
}

} // namespace HWY_NAMESPACE
} // namespace kernel_lanes
HWY_AFTER_NAMESPACE();

#endif // QUIRL32_ENGINE_KERNEL_LANES_INL_H_
