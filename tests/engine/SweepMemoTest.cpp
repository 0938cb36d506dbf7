// The prepared section lines and the thrust pass against the plain evaluation
// of the same rules (ReferenceGeometry.h) on random sections: every float must
// be identical, so caching and the narrowed searches never cost a digit.
#include "ReferenceGeometry.h"

#include "engine/SectionLines.h"
#include "engine/SweepMemo.h"
#include "engine/ThrustPass.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace {

constexpr int kSections = 300;

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

// Bitwise equality, so that −0 against 0 or two NaNs are judged as stored.
template <class T>
bool same(const T& a, const T& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}
bool same(const float* a, const float* b, int n) {
    return std::memcmp(a, b, sizeof(float) * static_cast<size_t>(n)) == 0;
}

}  // namespace

TEST(SectionLines, PointListsHeightsAndPositionsEqualTheLiteralLookUps) {
    RandomSection gen{std::mt19937(12)};
    std::mt19937 rng(5);
    for (int n = 0; n < kSections; ++n) {
        CSlideCalcData d = gen.make();
        SectionLines lines(d);
        // Probes: every vertex of every line, just beside it, and a few at random.
        std::vector<float> probes;
        for (int k = 0; k < kLineKinds; ++k) {
            auto kind = static_cast<LineKind>(k);
            reference::Line plain = reference::line(d, kind), cut = reference::cutLine(d, kind);
            float xs[kMaxLinePoints], ys[kMaxLinePoints];
            ASSERT_EQ(BuildLine(d, kind, xs, ys), plain.n) << "section " << n;
            ASSERT_TRUE(same(xs, plain.x, plain.n) && same(ys, plain.y, plain.n));
            ASSERT_EQ(BuildLineForCuts(d, kind, xs, ys), cut.n) << "section " << n;
            ASSERT_TRUE(same(xs, cut.x, cut.n) && same(ys, cut.y, cut.n));
            for (int i = 0; i < lines.count(kind); ++i)
                probes.insert(probes.end(), {lines.xs(kind)[i], lines.xs(kind)[i] + 5e-6f,
                                             lines.xs(kind)[i] - 2e-5f});
        }
        for (int i = 0; i < 20; ++i)
            probes.push_back(std::uniform_real_distribution<float>(-20.0f, 120.0f)(rng));
        for (float x : probes) {
            SectionLines::Hint hint = lines.hintFrom(x - 0.5f);
            for (int k = 0; k < kLineKinds; ++k)
                for (int side = 0; side <= 1; ++side) {
                    auto kind = static_cast<LineKind>(k);
                    float expected = reference::yAt(d, kind, x, side);
                    ASSERT_TRUE(same(lines.yAtX(kind, x, side), expected) &&
                                same(lines.yAtX(kind, x, side, hint), expected))
                        << "section " << n << " line " << k << " x " << x << " side " << side;
                    float y = lines.ys(kind)[0] + 0.25f * static_cast<float>(n % 40);
                    ASSERT_TRUE(same(lines.xAtY(kind, y, side), reference::xAt(d, kind, y, side)));
                }
        }
    }
}

TEST(SectionLines, CutsBlocksAndLoadsEqualTheLiteralRules) {
    RandomSection gen{std::mt19937(13)};
    std::mt19937 rng(7);
    for (int n = 0; n < kSections; ++n) {
        CSlideCalcData d = gen.make();
        SectionLines lines(d);
        std::vector<std::pair<float, float>> ranges;
        for (int i = 0; i + 1 < lines.count(Slip); ++i)
            ranges.emplace_back(lines.xs(Slip)[i], lines.xs(Slip)[i + 1]);
        std::uniform_real_distribution<float> any(-12.0f, 100.0f);
        for (int i = 0; i < 5; ++i) {
            float a = any(rng), b = any(rng);
            ranges.emplace_back(std::min(a, b), std::max(a, b));
        }
        for (auto [x1, x2] : ranges) {
            if (!(x2 - x1 >= 1e-5)) continue;
            SCOPED_TRACE(testing::Message() << "section " << n << " block " << x1 << " " << x2);
            std::vector<float> cuts;
            CollectCuts(d, x1, x2, cuts);
            ASSERT_EQ(cuts, reference::collectCuts(d, x1, x2));
            ASSERT_TRUE(same(IntegrateBlock(d, x1, x2), reference::integrateBlock(d, x1, x2)));
            std::pair<float, float> loads;
            SumPointLoads(d, x1, x2, &loads.first, &loads.second);
            ASSERT_TRUE(same(loads, reference::sumPointLoads(d, x1, x2)));
        }
    }
}

TEST(SectionLines, ThrustPassEqualsTheLiteralPass) {
    RandomSection gen{std::mt19937(14)};
    int stopped = 0;
    for (int n = 0; n < kSections; ++n) {
        CSlideCalcData d = gen.make();
        std::array<float, 110> fast{}, slow{};
        reference::Pass fastPass;
        fastPass.e = ComputeThrust(d, nullptr, &fastPass.angle, &fastPass.berm, &fastPass.trimmed,
                                   fast.data());
        ASSERT_TRUE(same(fastPass, reference::computeThrust(d, slow.data()))) << "section " << n;
        ASSERT_TRUE(same(fast, slow)) << "section " << n;
        if (fast[static_cast<size_t>(d.slipCount)] == 0.0f) ++stopped;
    }
    // The random sections must reach the interesting cases, not only empty ones.
    EXPECT_LT(stopped, kSections);
}

// A sweep that takes the loads of blocks clear of the moving berm or unloading
// line from its memo must give every trial exactly what a fresh pass gives.
TEST(SectionLines, SweptPassesEqualFreshPasses) {
    RandomSection gen{std::mt19937(15)};
    struct Sweep {
        float CSlideCalcData::*field;
        LineKind swept;
        float lo, hi;
    };
    const Sweep sweeps[] = {{&CSlideCalcData::bermH, Berm, 0.0f, 8.0f},
                            {&CSlideCalcData::bermX, Berm, -2.0f, 40.0f},
                            {&CSlideCalcData::unloadY, Unload, 0.0f, 40.0f}};
    for (int n = 0; n < kSections / 3; ++n) {
        CSlideCalcData d = gen.make();
        for (const Sweep& sweep : sweeps) {
            SweepMemo memo(sweep.swept);
            for (int t = 0; t < 25; ++t) {
                d.*sweep.field = sweep.lo + (sweep.hi - sweep.lo) * static_cast<float>(t) / 24.0f;
                std::array<float, 110> swept{}, fresh{};
                reference::Pass a, b;
                a.e = ComputeSweptThrust(d, memo, &a.angle, &a.berm, &a.trimmed, swept.data());
                b.e = ComputeThrust(d, nullptr, &b.angle, &b.berm, &b.trimmed, fresh.data());
                ASSERT_TRUE(same(a, b)) << "section " << n << " trial " << t;
                ASSERT_TRUE(same(swept, fresh)) << "section " << n << " trial " << t;
            }
        }
    }
}
