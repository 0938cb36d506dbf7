// What the run checks of its own results before calling them a success: a
// pile row outside the sliding mass (its thrust means nothing), a pile
// solution with numbers that are not finite or a pile top moving further than
// any pile can, a design whose winner stands at the edge of what it tried.
#pragma once

#include <string>
#include <vector>

class CSlideCalc;
class CSlideCalcData;

struct Plausibility {
    std::vector<std::string> errors;    // the result means nothing: the run fails
    std::vector<std::string> warnings;  // the result stands but needs a look
};

// A pile top moving more than this (mm) has left the range in which a pile on
// an elastic foundation is a model of anything; it usually means a size
// typed in metres where centimetres are asked for.
inline constexpr float kMostPileTopDisplacement = 1000.0f;

// The checks after the run's operation; calc holds the pile solution and the
// design summary of the run.
Plausibility CheckPlausibility(const CSlideCalcData& item, CSlideCalc& calc);
