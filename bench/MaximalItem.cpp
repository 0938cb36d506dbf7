#include "MaximalItem.h"

#include <cmath>

namespace {

void fillSections(CSlideCalcData& d) {
    d.slipCount = d.slopeCount = d.waterCount = CSlideCalcData::kMaxSegments;
    for (int i = 0; i < CSlideCalcData::kMaxSegments; ++i) {
        const float t = static_cast<float>(i);
        d.slip[i].dx = 1.0f + 0.5f * std::sin(t);
        d.slip[i].dy = 0.1f + 0.006f * t;
        d.slope[i].dx = 1.0f + 0.3f * std::cos(t);
        d.slope[i].dy = 0.6f + 0.3f * std::sin(0.7f * t);
        d.slope[i].loadCount = CLineSeg::kMaxLoads;
        for (int k = 0; k < CLineSeg::kMaxLoads; ++k)
            d.slope[i].loads[k] = {0.1f * static_cast<float>(k), 5.0f, 20.0f};
        d.water[i].dx = 1.05f;
        d.water[i].dy = 0.4f + 0.2f * std::sin(1.3f * t);
    }
    d.slopeX0 = 2.0f;
    d.waterX0 = 0.0f;
    d.waterY0 = 0.5f;
}

}  // namespace

CSlideCalcData MaximalItem() {
    CSlideCalcData d;
    fillSections(d);
    d.usePiles = 1;
    d.pileX = 3.0f;
    d.pileRows = 3;
    d.useBerm = 1;
    d.bermH = 3.0f;
    d.useUnload = 1;
    d.unloadY = 45.0f;
    d.unloadCount = 3;
    d.unloadSegs[0] = d.unloadSegs[1] = d.unloadSegs[2] = CLineSeg{};
    d.unloadSegs[0].dx = 8.0f;
    d.unloadSegs[0].dy = 1.0f;
    d.unloadSegs[1].dx = 6.0f;
    d.unloadSegs[1].dy = 4.0f;
    d.unloadSegs[2].dx = 10.0f;
    d.unloadSegs[2].dy = 9.0f;
    d.useSeepage = 1;
    d.useStaticWater = 1;
    d.useConfinedWater = 1;
    d.confinedHead = 2.0f;
    d.quakeLevel = 2;
    d.bermHRange = {0.0f, 10.0f, 0.005f};    // 2000 trials
    d.unloadYRange = {35.0f, 55.0f, 0.01f};  // 2000 trials
    d.pileKindCount = CSlideCalcData::kMaxPileKinds;
    for (int k = 0; k < d.pileKindCount; ++k)
        d.pileKinds[k].capacity = 50.0f + 10.0f * static_cast<float>(k);
    return d;
}

BenchWorkContext::BenchWorkContext() {
    ctx.G_strWorkPath = dir.path();
    ctx.status = &sinks;
    ctx.messages = &sinks;
}
