// Random sections for the comparison tests.
#include "RandomSection.h"

#include "platform/PlaneGeometry.h"

#include <cmath>

float RandomSection::coord(float lo, float hi) {
    float v = std::uniform_real_distribution<float>(lo, hi)(m_rng);
    // Most values on a 0.25 m grid, the rest anywhere.
    return chance(0.75) ? std::round(v * 4.0f) / 4.0f : v;
}

int RandomSection::count(int lo, int hi) {
    return std::uniform_int_distribution<int>(lo, hi)(m_rng);
}

bool RandomSection::chance(double p) {
    return std::bernoulli_distribution(p)(m_rng);
}

void RandomSection::fillLine(std::array<CLineSeg, 100>& segs, int n, float dxMax, float dyLo,
                             float dyHi) {
    for (int i = 0; i < n; ++i) {
        segs[i].dx = chance(0.1) ? 0.0f : (chance(0.05) ? 1e-6f : coord(0.0f, dxMax));
        // Now and then a line turns back, so the unsorted paths are exercised too.
        if (chance(0.02)) segs[i].dx = coord(-2.0f, 0.0f);
        segs[i].dy = coord(dyLo, dyHi);
        segs[i].c = coord(0.0f, 30.0f);
        segs[i].phi = coord(0.0f, 40.0f);
    }
}

CSlideCalcData RandomSection::make() {
    CSlideCalcData d;
    d.slipCount = count(1, 30);
    fillLine(d.slip, d.slipCount, 6.0f, -1.0f, 8.0f);
    d.slopeCount = count(1, 30);
    d.slopeX0 = coord(-5.0f, 30.0f);
    fillLine(d.slope, d.slopeCount, 5.0f, -2.0f, 7.0f);
    for (int s = 0; s < d.slopeCount; ++s) {
        CLineSeg& seg = d.slope[s];
        seg.loadCount = chance(0.3) ? count(0, 4) : 0;
        float len = get_dist(0.0f, 0.0f, seg.dx, seg.dy);
        for (int i = 0; i < seg.loadCount; ++i) {
            // Loads at either end of a segment sit on vertices, often on block ends.
            seg.loads[i].dist = chance(0.3) ? (chance(0.5) ? 0.0f : len) : coord(0.0f, len * 1.1f);
            seg.loads[i].px = coord(-100.0f, 300.0f);
            seg.loads[i].py = coord(-50.0f, 800.0f);
        }
    }
    d.waterCount = count(0, 20);
    d.waterX0 = coord(-15.0f, 25.0f);
    d.waterY0 = coord(-5.0f, 15.0f);
    fillLine(d.water, d.waterCount, 6.0f, -3.0f, 6.0f);
    d.useUnload = chance(0.5);
    d.unloadY = coord(0.0f, 40.0f);
    d.unloadCount = count(0, 3);
    for (int i = 0; i < 3; ++i) {
        d.unloadSegs[i].dx = coord(0.0f, 12.0f);
        d.unloadSegs[i].dy = coord(-2.0f, 10.0f);
    }
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
