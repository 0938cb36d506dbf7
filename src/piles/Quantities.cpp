// Totals of piles, berm fill and trimmed soil over the failed slope's length.
#include "piles/Quantities.h"

#include "data/CSlideCalcData.h"
#include "platform/ReportWriter.h"

#include <climits>

namespace {

// A spacing this small is a typing slip; it must not divide by 0.
constexpr float kLeastSpacing = 0.0001f;

// Truncates towards zero like a C cast, but keeps a NaN or a quotient beyond
// the int range (a hostile record) from being undefined: NaN gives 0.
int truncateToInt(float v) {
    if (!(v == v)) return 0;
    if (v >= 2147483520.0f) return INT_MAX;  // largest float below 2^31
    if (v <= -2147483648.0f) return INT_MIN;
    return static_cast<int>(v);
}

int clampToInt(long long v) {
    if (v > INT_MAX) return INT_MAX;
    if (v < INT_MIN) return INT_MIN;
    return static_cast<int>(v);
}

void reportPiles(const CSlideCalcData& item, ReportWriter& report, int j) {
    const float B = item.slopeLength;
    const CPileKind& kind = item.pileKinds[j];
    // count = m × pileRows
    const int count =
        clampToInt(static_cast<long long>(PilesPerRow(B, item.pileSpacing)) * item.pileRows);
    const float cost = count * kind.materialCost;
    const float labour = count * kind.buildCost;
    const float time = count * kind.buildDays;
    report.printf("    滑坍纵向宽度 = %.3fm 范围内，第%d种桩：\n", B, j + 1);
    report.printf("        共需要抗滑桩 %d 根\n", count);
    report.printf("        抗滑桩的总造价 = %.3f 元\n", cost);
    report.printf("        抗滑桩的总工费 = %.3f 元\n", labour);
    report.printf("        抗滑桩的总工期 = %.3f 人天\n", time);
}

void reportBerm(const CSlideCalcData& item, ReportWriter& report, float area) {
    const float B = item.slopeLength;
    // V = area × B
    const float V = area * B;
    report.printf("    滑坍纵向宽度 = %.3fm 范围内：\n", B);
    report.printf("        反压码的总体积 = %.3f m3\n", V);
    report.printf("        反压码的总工费 = %.3f 元\n", V * item.bermCost);
    report.printf("        反压码的总工期 = %.3f 人天\n", V * item.bermDays);
}

void reportUnload(const CSlideCalcData& item, ReportWriter& report, float area) {
    const float B = item.slopeLength;
    // V = area × B
    const float V = area * B;
    report.printf("    滑坍纵向宽度 = %.3fm 范围内：\n", B);
    report.printf("        刷方的总体积 = %.3f m3\n", V);
    report.printf("        刷方的总工费 = %.3f 元\n", V * item.unloadCost);
    report.printf("        刷方的总工期 = %.3f 人天\n", V * item.unloadDays);
}

}  // namespace

int PilesPerRow(float slopeLength, float spacing) {
    const float B = slopeLength;
    float s = spacing;
    if (s < kLeastSpacing) s = kLeastSpacing;
    // m = B / s truncated; a shorter last gap needs one more pile unless it is
    // under 1 mm, which is a rounding of the slope length, not a gap.
    int m = truncateToInt(B / s);
    if (B - 0.001 > m * s && m < INT_MAX) m += 1;
    return m;
}

int ReportQuantities(const CSlideCalcData& item, ReportWriter& report, int what, float area,
                     int pileKind) {
    // Even berm and unloading totals need a valid kind: without any pile kind
    // the quantity section is left out as a whole.
    if (pileKind < 0 || pileKind >= item.pileKindCount ||
        pileKind >= CSlideCalcData::kPileKindSlots)
        return 0;
    switch (what) {
        case QuantityPiles:
            reportPiles(item, report, pileKind);
            break;
        case QuantityBerm:
            reportBerm(item, report, area);
            break;
        case QuantityUnload:
            reportUnload(item, report, area);
            break;
        default:
            break;
    }
    return 1;
}
