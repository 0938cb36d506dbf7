// Check target 2, the internal forces of one anti-slide pile: the thrust at
// the first row spread over the pile's free length, the solver's record filled
// from pile kind 0, the result block of the report and the pile data sheet.
#pragma once

#include "piles/PileData.h"
#include "piles/PileSolver.h"

#include <vector>

class CSlideCalc;
class CSlideCalcData;
class ReportWriter;
class MessageSink;

// Fills the record from the item and its pile kind 0, in the order the solver
// library took them. A rail type outside 33, 38, 43, 50 is told through
// `messages` (may be null) and the 50 kg/m section is used.
void FillPileRecord(const CSlideCalcData& item, CPile_ShuJu& pile, MessageSink* messages);

// The load table of a horizontal thrust H (kN per metre width) over the free
// length L by `thrustShape`; each intensity is scaled by `thrustAdjust`. Writes
// the shape line into report (may be null).
std::vector<PileLoadPoint> PileLoadTable(const CSlideCalcData& item, float H, float L,
                                         ReportWriter* report);

// The whole check target with the run's pile record and solver; always 1.
// report may be null.
int ComputePileForces(CSlideCalc& calc, CSlideCalcData& item, ReportWriter* report);

// The same from a horizontal thrust already found, the thrust pass left out;
// always 1.
int ComputePileForcesForThrust(CSlideCalc& calc, CSlideCalcData& item, float H,
                               ReportWriter* report);

// The result block (summary, cable force, table); on a refusal the reason
// instead. Nothing when report is null.
void ReportPileForces(const CPile_ShuJu& pile, const PileSolver& solver, ReportWriter* report);

// What an engineer checks a pile solution by: rigidity, calculation width,
// rigid or elastic, the balance of the forces. Nothing when the solver has no
// solution.
void ReportPileDataSheet(const CPile_ShuJu& pile, const PileSolver& solver, ReportWriter& report);
