// The section "[本程序补充]" that closes every report: the stability factor of
// the sliding mass with its state, the thrust at the thrust position, the
// block table of the implicit solution, the geometry warnings and the pile
// data sheet. Everything after the original report belongs here.
#pragma once

#include "engine/Stability.h"

#include <optional>
#include <string>
#include <vector>

class CSlideCalc;
class CSlideCalcData;
class ReportWriter;

// What the supplement reports of an item as entered.
struct SupplementFacts {
    StabilityResult entered;              // with berm and unloading where used
    std::optional<StabilityResult> bare;  // without them, when the item uses either
    std::vector<std::string> warnings;
    float thrustX = 0.0f;      // the thrust position
    float thrust = 0.0f;       // residual force there (kN/m), as the thrust pass gives it
    float thrustAngle = 0.0f;  // its angle (radians)
    int result = 0;            // the run's outcome, 1 for success
};

SupplementFacts GatherSupplementFacts(const CSlideCalcData& item);

// Writes the section from its line "[本程序补充]" on. Anything a later part of
// the program adds to the report's end goes after it, inside this function.
void WriteSupplement(CSlideCalc& calc, const CSlideCalcData& item, const SupplementFacts& facts,
                     ReportWriter& report);
