// Defaults of a new item (the worked example section) and the record's small
// operations: control rules, strength setters, pile-kind identity.
#include "data/CSlideCalcData.h"

#include <cmath>

namespace {

struct SegDefault {
    float dx, dy;
};

template <size_t N>
void setSegments(std::array<CLineSeg, CSlideCalcData::kMaxSegments>& line,
                 const SegDefault (&segs)[N]) {
    for (size_t i = 0; i < N; ++i) {
        line[i].dx = segs[i].dx;
        line[i].dy = segs[i].dy;
    }
}

bool near(float a, float b) {
    return std::fabs(a - b) <= 0.001f;
}

}  // namespace

CSlideCalcData::CSlideCalcData() {
    const SegDefault slipSegs[] = {{20, 2}, {6, 3}, {8, 6}, {8, 4}, {6, 6}, {9, 14}};
    const SegDefault slopeSegs[] = {{5, 10}, {3, 2}, {5, 6}, {5, 0}, {5, 4},
                                    {5, 2},  {5, 2}, {5, 2}, {10, 2}};
    const SegDefault waterSegs[] = {{5, 6}, {5, 6}, {9, 6}, {12, 2}};
    setSegments(slip, slipSegs);
    setSegments(slope, slopeSegs);
    setSegments(water, waterSegs);
    unloadSegs[0].dx = 12.0f;
    unloadSegs[0].dy = 2.0f;
    unloadSegs[1].dx = 5.0f;
    unloadSegs[1].dy = 10.0f;
    layerThickness.fill(50.0f);
    layerGamma.fill(18.0f);
    layerM.fill(10.0f);
    layerC.fill(10.0f);
    layerK.fill(10.0f);
    rowFactor.fill(1.0f);
}

int CSlideCalcData::ApplyControlRules() {
    if (goal == 1) {
        if (designTarget == 0) usePiles = 1;
        if (designTarget == 1) useBerm = 1;
        if (designTarget == 2) useUnload = 1;
        return 1;
    }
    switch (checkTarget) {
        case 0:
            usePiles = 1;
            break;
        case 2:
            usePiles = 1;
            pileRows = 1;
            break;
        case 3:
        case 4:
            usePiles = 0;
            useBerm = 0;
            useUnload = 0;
            break;
        default:
            break;
    }
    return 1;
}

int CSlideCalcData::SetAllC(float value) {
    for (int i = 0; i < slipCount && i < kMaxSegments; ++i) slip[i].c = value;
    return 1;
}

int CSlideCalcData::SetAllPhi(float value) {
    for (int i = 0; i < slipCount && i < kMaxSegments; ++i) slip[i].phi = value;
    return 1;
}

int CSlideCalcData::IsSamePileKind(const CPileKind& a, const CPileKind& b) {
    if (a.material != b.material) return 0;
    if (a.material == 1) {
        if (!near(a.size1, b.size1)) return 0;
    } else {
        if (a.section != b.section) return 0;
        if (!near(a.size1, b.size1)) return 0;
        if (a.section != 0 && !near(a.size2, b.size2)) return 0;
    }
    return near(a.length, b.length) && near(a.embedDepth, b.embedDepth) &&
                   near(a.capacity, b.capacity)
               ? 1
               : 0;
}

int CSlideCalcData::HasPileKind(const CPileKind& k) const {
    for (int i = 0; i < pileKindCount && i < kPileKindSlots; ++i)
        if (IsSamePileKind(pileKinds[i], k)) return 1;
    return 0;
}

int CSlideCalcData::AddPileKindsFromLibrary(const std::vector<CPileTestRecord>& library) {
    for (const CPileTestRecord& entry : library) {
        if (pileKindCount >= kMaxPileKinds) break;
        if (!entry.selected) continue;
        CPileKind k;
        k.length = entry.length;
        k.embedDepth = entry.embedDepth;
        k.capacity = entry.capacity;
        if (entry.pileType.find("钢轨") != std::string::npos) {
            k.material = 1;
            k.section = 2;
            k.size1 = entry.size;
        } else if (entry.pileType.find("木桩") != std::string::npos) {
            k.material = 2;
            k.section = 0;
            k.size1 = k.size2 = entry.size * 100.0f;
        } else if (entry.pileType.find("混凝土") != std::string::npos) {
            k.material = 0;
            k.section = 1;
            k.size1 = k.size2 = entry.size * 100.0f;
        }
        if (HasPileKind(k)) continue;
        // A negative count read from a file appends at slot 0.
        if (pileKindCount < 0) pileKindCount = 0;
        pileKinds[pileKindCount] = k;
        ++pileKindCount;
    }
    return 1;
}
