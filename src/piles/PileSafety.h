// Check target 0: the safety factor of the pile rows against the landslide
// thrust at the first pile row, with the thrust pass's block lines and the
// quantities of the countermeasures.
#pragma once

#include "piles/Quantities.h"

#include <vector>

class CSlideCalcData;
class ReportWriter;

// The safety factor F = R / H of pile kind 0 (9999 when there is no thrust).
// Writes the section into report; the block forces go to residualThrust
// (the run's item curve, may be null); F to factor and the quantity sections
// to quantities when given. Always 1.
int CheckPileSafety(const CSlideCalcData& item, ReportWriter& report, float* residualThrust,
                    std::vector<QuantityTotals>* quantities = nullptr, float* factor = nullptr);

// F = R / H when H > 0.0001 kN, else 9999.
float PileSafetyFactor(float resistance, float horizontalThrust);
