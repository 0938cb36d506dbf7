// Sweeps that take what they can from a memo against fresh thrust passes on
// random sections: every float must be identical, so the memo never costs a
// digit. The prepared section lines are held by the output manifest.
#include "data/CSlideCalcData.h"
#include "engine/SweepMemo.h"
#include "engine/ThrustPass.h"
#include "platform/PlaneGeometry.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <random>

namespace {

constexpr int kSections = 100;

// Random items, mostly on a 0.25 m grid so that points coincide, lines meet at
// vertices and segments stand vertical as often as they do in practice.
struct RandomSection {
    std::mt19937 rng;
    bool chance(double p) { return std::bernoulli_distribution(p)(rng); }
    int count(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
    float coord(float lo, float hi) {
        float v = std::uniform_real_distribution<float>(lo, hi)(rng);
        return chance(0.75) ? std::round(v * 4.0f) / 4.0f : v;
    }
    void fill(std::array<CLineSeg, 100>& segs, int n, float dxMax, float dyLo, float dyHi) {
        for (int i = 0; i < n; ++i) {
            segs[i].dx = chance(0.1) ? 0.0f : (chance(0.05) ? 1e-6f : coord(0.0f, dxMax));
            if (chance(0.02)) segs[i].dx = coord(-2.0f, 0.0f);  // a line turning back
            segs[i].dy = coord(dyLo, dyHi);
            segs[i].c = coord(0.0f, 30.0f);
            segs[i].phi = coord(0.0f, 40.0f);
        }
    }
    CSlideCalcData make() {
        CSlideCalcData d;
        fill(d.slip, d.slipCount = count(1, 30), 6.0f, -1.0f, 8.0f);
        d.slopeX0 = coord(-5.0f, 30.0f);
        fill(d.slope, d.slopeCount = count(1, 30), 5.0f, -2.0f, 7.0f);
        for (int s = 0; s < d.slopeCount; ++s) {
            CLineSeg& seg = d.slope[s];
            seg.loadCount = chance(0.3) ? count(0, 4) : 0;
            float len = get_dist(0.0f, 0.0f, seg.dx, seg.dy);
            for (int i = 0; i < seg.loadCount; ++i)  // often exactly on a vertex
                seg.loads[i] = {chance(0.3) ? (chance(0.5) ? 0.0f : len) : coord(0.0f, len * 1.1f),
                                coord(-100.0f, 300.0f), coord(-50.0f, 800.0f)};
        }
        d.waterCount = count(0, 20);
        d.waterX0 = coord(-15.0f, 25.0f);
        d.waterY0 = coord(-5.0f, 15.0f);
        fill(d.water, d.waterCount, 6.0f, -3.0f, 6.0f);
        d.useUnload = chance(0.5);
        d.unloadY = coord(0.0f, 40.0f);
        d.unloadCount = count(0, 3);
        for (CLineSeg& seg : d.unloadSegs)
            seg.dx = coord(0.0f, 12.0f), seg.dy = coord(-2.0f, 10.0f);
        d.useBerm = chance(0.5);
        d.usePiles = chance(0.5);
        d.pileX = coord(-2.0f, 60.0f);
        d.bermX = coord(-2.0f, 40.0f);
        d.bermH = coord(0.0f, 8.0f);
        d.bermSlope = coord(0.0f, 2.0f);
        d.pileKinds[0].length = coord(4.0f, 16.0f);
        d.useSeepage = chance(0.5);
        d.useStaticWater = chance(0.5);
        d.useConfinedWater = chance(0.3);
        d.confinedHead = coord(0.0f, 5.0f);
        d.quakeLevel = count(0, 3);
        d.thrustSafetyFactor = coord(1.0f, 1.5f);
        return d;
    }
};

// What a pass gives besides its curve.
struct Pass {
    float e = 0, angle = 0, berm = 0, trimmed = 0;
};

// Bitwise equality, so that −0 against 0 or two NaNs are judged as stored.
template <class T>
bool same(const T& a, const T& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

}  // namespace

// A sweep that takes the loads of blocks clear of the moving berm or unloading
// line from its memo must give every trial exactly what a fresh pass gives.
TEST(SweepMemo, SweptPassesEqualFreshPasses) {
    RandomSection gen{std::mt19937(15)};
    struct Sweep {
        float CSlideCalcData::*field;
        LineKind swept;
        float lo, hi;
    };
    const Sweep sweeps[] = {{&CSlideCalcData::bermH, Berm, 0.0f, 8.0f},
                            {&CSlideCalcData::bermX, Berm, -2.0f, 40.0f},
                            {&CSlideCalcData::unloadY, Unload, 0.0f, 40.0f}};
    for (int n = 0; n < kSections; ++n) {
        CSlideCalcData d = gen.make();
        for (const Sweep& sweep : sweeps) {
            SweepMemo memo(sweep.swept);
            for (int t = 0; t < 25; ++t) {
                d.*sweep.field = sweep.lo + (sweep.hi - sweep.lo) * static_cast<float>(t) / 24.0f;
                std::array<float, 110> swept{}, fresh{};
                Pass a, b;
                a.e = ComputeSweptThrust(d, memo, &a.angle, &a.berm, &a.trimmed, swept.data());
                b.e = ComputeThrust(d, nullptr, &b.angle, &b.berm, &b.trimmed, fresh.data());
                ASSERT_TRUE(same(a, b)) << "section " << n << " trial " << t;
                ASSERT_TRUE(same(swept, fresh)) << "section " << n << " trial " << t;
            }
        }
    }
}

// A block is found only by both of its ends: the random sweeps above never
// move a block's far end while keeping its start, so a memo that forgot to
// compare it would pass them and give a block cut at a moved thrust position
// the loads of the block it was cut from.
TEST(SweepMemo, FindsABlockOnlyByBothItsEnds) {
    SweepMemo memo(Berm);
    BlockLoads loads{};
    memo.remember(3, 10.0f, 12.5f, loads);
    struct Case {
        int s;
        float xStart, xEnd;
        bool found;
    };
    const Case cases[] = {{3, 10.0f, 12.5f, true},   {3, 10.0f, 12.0f, false},
                          {3, 9.5f, 12.5f, false},   {2, 10.0f, 12.5f, false},
                          {-1, 10.0f, 12.5f, false}, {100000, 10.0f, 12.5f, false}};
    for (const Case& c : cases)
        EXPECT_EQ(memo.find(c.s, c.xStart, c.xEnd) != nullptr, c.found)
            << c.s << " " << c.xStart << " " << c.xEnd;
}
