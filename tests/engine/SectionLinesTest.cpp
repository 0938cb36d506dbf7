// The prepared section lines and the thrust pass against the plain evaluation
// of the same rules (ReferenceGeometry) on random sections: every float must be
// identical, so caching and the narrowed searches never cost a digit.
#include "ReferenceGeometry.h"
#include "RandomSection.h"

#include "data/CSlideCalcData.h"
#include "engine/SectionGeometry.h"
#include "engine/SectionLines.h"
#include "engine/ThrustPass.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

namespace {

constexpr int kSections = 300;

// Bitwise equality, so that −0 against 0 or two NaNs are judged as stored.
bool same(float a, float b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

::testing::AssertionResult sameBlock(const BlockGeometry& a, const BlockGeometry& b) {
    const float* fa = &a.area;
    const float* fb = &b.area;
    for (size_t i = 0; i < sizeof(BlockGeometry) / sizeof(float); ++i)
        if (!same(fa[i], fb[i]))
            return ::testing::AssertionFailure()
                   << "field " << i << ": " << fa[i] << " against reference " << fb[i];
    return ::testing::AssertionSuccess();
}

// Positions worth probing: every vertex of every line, just beside it, and a few at random.
std::vector<float> probes(const SectionLines& lines, std::mt19937& rng) {
    std::vector<float> xs;
    for (int k = 0; k < kLineKinds; ++k) {
        auto kind = static_cast<LineKind>(k);
        for (int i = 0; i < lines.count(kind); ++i) {
            float x = lines.xs(kind)[i];
            xs.insert(xs.end(), {x, x + 5e-6f, x - 2e-5f});
        }
    }
    std::uniform_real_distribution<float> any(-20.0f, 120.0f);
    for (int i = 0; i < 20; ++i) xs.push_back(any(rng));
    return xs;
}

}  // namespace

TEST(SectionLines, PointListsEqualTheRebuiltOnes) {
    RandomSection gen(11);
    for (int n = 0; n < kSections; ++n) {
        CSlideCalcData d = gen.make();
        for (int k = 0; k < kLineKinds; ++k) {
            auto kind = static_cast<LineKind>(k);
            float xs[kMaxLinePoints], ys[kMaxLinePoints], rx[kMaxLinePoints], ry[kMaxLinePoints];
            int count = BuildLine(d, kind, xs, ys);
            ASSERT_EQ(count, reference::buildLine(d, kind, rx, ry)) << "section " << n;
            for (int i = 0; i < count; ++i)
                ASSERT_TRUE(same(xs[i], rx[i]) && same(ys[i], ry[i])) << "section " << n;
            count = BuildLineForCuts(d, kind, xs, ys);
            ASSERT_EQ(count, reference::buildLineForCuts(d, kind, rx, ry)) << "section " << n;
            for (int i = 0; i < count; ++i)
                ASSERT_TRUE(same(xs[i], rx[i]) && same(ys[i], ry[i])) << "section " << n;
        }
    }
}

TEST(SectionLines, HeightsAndPositionsEqualTheLiteralLookUps) {
    RandomSection gen(12);
    std::mt19937 rng(5);
    for (int n = 0; n < kSections; ++n) {
        CSlideCalcData d = gen.make();
        SectionLines lines(d);
        for (float x : probes(lines, rng)) {
            SectionLines::Hint hint = lines.hintFrom(x - 0.5f);
            for (int k = 0; k < kLineKinds; ++k)
                for (int side = 0; side <= 1; ++side) {
                    auto kind = static_cast<LineKind>(k);
                    float expected = reference::lineYAtX(d, kind, x, side);
                    ASSERT_TRUE(same(lines.yAtX(kind, x, side), expected))
                        << "section " << n << " line " << k << " x " << x << " side " << side;
                    ASSERT_TRUE(same(lines.yAtX(kind, x, side, hint), expected))
                        << "section " << n << " line " << k << " x " << x << " with hint";
                    float y = lines.ys(kind)[0] + 0.25f * static_cast<float>(n % 40);
                    ASSERT_TRUE(
                        same(lines.xAtY(kind, y, side), reference::lineXAtY(d, kind, y, side)));
                }
        }
    }
}

TEST(SectionLines, CutsBlocksAndLoadsEqualTheLiteralRules) {
    RandomSection gen(13);
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
            std::vector<float> cuts, expected;
            CollectCuts(d, x1, x2, cuts);
            reference::collectCuts(d, x1, x2, expected);
            ASSERT_EQ(cuts, expected) << "section " << n << " block " << x1 << " " << x2;
            ASSERT_TRUE(sameBlock(IntegrateBlock(d, x1, x2), reference::integrateBlock(d, x1, x2)))
                << "section " << n << " block " << x1 << " " << x2;
            float px, py, rpx, rpy;
            SumPointLoads(d, x1, x2, &px, &py);
            reference::sumPointLoads(d, x1, x2, &rpx, &rpy);
            ASSERT_TRUE(same(px, rpx) && same(py, rpy)) << "section " << n;
        }
    }
}

TEST(SectionLines, ThrustPassEqualsTheLiteralPass) {
    RandomSection gen(14);
    int stopped = 0;
    for (int n = 0; n < kSections; ++n) {
        CSlideCalcData d = gen.make();
        std::array<float, 110> fast{}, slow{};
        float a, b, t, ra, rb, rt;
        float e = ComputeThrust(d, nullptr, &a, &b, &t, fast.data());
        float re = reference::computeThrust(d, &ra, &rb, &rt, slow.data());
        ASSERT_TRUE(same(e, re)) << "section " << n << ": " << e << " against " << re;
        ASSERT_TRUE(same(a, ra) && same(b, rb) && same(t, rt)) << "section " << n;
        for (size_t k = 0; k < fast.size(); ++k) ASSERT_TRUE(same(fast[k], slow[k])) << n;
        if (fast[static_cast<size_t>(d.slipCount)] == 0.0f) ++stopped;
    }
    // The random sections must reach the interesting cases, not only empty ones.
    EXPECT_LT(stopped, kSections);
}
