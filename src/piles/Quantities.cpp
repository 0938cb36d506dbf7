// Totals of piles, berm fill and trimmed soil over the failed slope's length.
#include "piles/Quantities.h"

#include "data/CSlideCalcData.h"
#include "platform/FigureFormat.h"
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

QuantityTotals pileTotals(const CSlideCalcData& item, int j) {
    const CPileKind& kind = item.pileKinds[j];
    QuantityTotals t;
    t.what = QuantityPiles;
    t.pileKind = j;
    t.rows = item.pileRows;
    t.spacing = item.pileSpacing;
    // count = m × pileRows
    t.count = clampToInt(static_cast<long long>(PilesPerRow(item.slopeLength, item.pileSpacing)) *
                         item.pileRows);
    t.cost = t.count * kind.materialCost;
    t.labour = t.count * kind.buildCost;
    t.days = t.count * kind.buildDays;
    return t;
}

// V = area × B, priced per cubic metre.
QuantityTotals earthTotals(int what, float area, float B, float unitCost, float unitDays) {
    QuantityTotals t;
    t.what = what;
    t.volume = area * B;
    t.labour = t.volume * unitCost;
    t.days = t.volume * unitDays;
    return t;
}

void reportTotals(const QuantityTotals& t, float B, ReportWriter& report) {
    if (t.what == QuantityPiles) {
        report.printf("    滑坍纵向宽度 = %sm 范围内，第%d种桩：\n", Fixed3(B).c_str(),
                      t.pileKind + 1);
        report.printf("        共需要抗滑桩 %d 根\n", t.count);
        report.printf("        抗滑桩的总造价 = %s 元\n", Fixed3(t.cost).c_str());
        report.printf("        抗滑桩的总工费 = %s 元\n", Fixed3(t.labour).c_str());
        report.printf("        抗滑桩的总工期 = %s 人天\n", Fixed3(t.days).c_str());
        return;
    }
    const char* what = t.what == QuantityBerm ? "反压码" : "刷方";
    report.printf("    滑坍纵向宽度 = %sm 范围内：\n", Fixed3(B).c_str());
    report.printf("        %s的总体积 = %s m3\n", what, Fixed3(t.volume).c_str());
    report.printf("        %s的总工费 = %s 元\n", what, Fixed3(t.labour).c_str());
    report.printf("        %s的总工期 = %s 人天\n", what, Fixed3(t.days).c_str());
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
                     int pileKind, std::vector<QuantityTotals>* totals) {
    // Even berm and unloading totals need a valid kind: without any pile kind
    // the quantity section is left out as a whole.
    if (pileKind < 0 || pileKind >= item.pileKindCount ||
        pileKind >= CSlideCalcData::kPileKindSlots)
        return 0;
    QuantityTotals t;
    switch (what) {
        case QuantityPiles:
            t = pileTotals(item, pileKind);
            break;
        case QuantityBerm:
            t = earthTotals(what, area, item.slopeLength, item.bermCost, item.bermDays);
            break;
        case QuantityUnload:
            t = earthTotals(what, area, item.slopeLength, item.unloadCost, item.unloadDays);
            break;
        default:
            return 1;
    }
    reportTotals(t, item.slopeLength, report);
    if (totals) totals->push_back(t);
    return 1;
}
