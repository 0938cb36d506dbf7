// Pile safety factor report.
#include "piles/PileSafety.h"

#include "data/CSlideCalcData.h"
#include "engine/ThrustPass.h"
#include "piles/PileResistance.h"
#include "piles/Quantities.h"
#include "platform/FigureFormat.h"
#include "platform/ReportWriter.h"

#include <cmath>

namespace {
// Thrusts and areas at or below this count as none.
constexpr float kNone = 0.0001f;
constexpr float kNoThrustFactor = 9999.0f;
}  // namespace

float PileSafetyFactor(float resistance, float horizontalThrust) {
    return horizontalThrust > kNone ? resistance / horizontalThrust : kNoThrustFactor;
}

int CheckPileSafety(const CSlideCalcData& item, ReportWriter& report, float* residualThrust,
                    std::vector<QuantityTotals>* quantities, float* factor) {
    report.printf("抗滑桩安全系数计算\n");
    report.printf("    计算抗滑桩所承受的滑坡推力\n\n");

    float theta = 0.0f, bermArea = 0.0f, trimmedArea = 0.0f;
    const float T = ComputeThrust(item, &report, &theta, &bermArea, &trimmedArea, residualThrust);
    // H = T cos θ; a thrust pointing away from the piles loads them with nothing.
    float H = T * std::cos(theta);
    if (H < 0.0f) H = 0.0f;
    const float R = PileResistance(item, 0);
    const float F = PileSafetyFactor(R, H);
    if (factor) *factor = F;

    report.printf("\n\n");
    report.printf("    单位米宽滑坡推力的水平分量       = %s(kN)\n", Fixed3(H).c_str());
    report.printf("    单位米宽抗滑桩所能提供的抗力分量 = %s(kN)\n", Fixed3(R).c_str());
    report.printf("    抗滑桩安全系数为                 = %s\n", Fixed3(F).c_str());
    report.printf("\n\n");

    if (item.usePiles == 1) ReportQuantities(item, report, QuantityPiles, 0.0f, 0, quantities);
    if (bermArea > kNone) ReportQuantities(item, report, QuantityBerm, bermArea, 0, quantities);
    if (trimmedArea > kNone)
        ReportQuantities(item, report, QuantityUnload, trimmedArea, 0, quantities);
    return 1;
}
