// The transfer-coefficient pass: residual sliding force block by block from the
// crest down to the thrust position, with the optional block-by-block report.
// The run, the designs and the back-calculations call ComputeThrust.
#pragma once

#include <vector>

class CSlideCalcData;
class ReportWriter;
class SweepMemo;
struct PassBlock;

// Where the pass ends: the first pile row, else the start of the slope surface,
// or the berm when it starts further down.
float ThrustPosition(const CSlideCalcData& item);

// Runs the pass over item and returns the residual force E (kN/m) at the thrust
// position, raw and possibly negative. Through the out-parameters (each may be
// null): the angle α (radians) of the last block computed, the berm and trimmed
// areas summed over the blocks computed, and the residual force received by each
// block (residualThrust: the run passes its item's 110 floats; entry k is the
// force entering block k, the entry after the last block its leaving force).
// report null writes nothing.
float ComputeThrust(const CSlideCalcData& item, ReportWriter* report, float* angle, float* bermArea,
                    float* trimmedArea, float* residualThrust);

// ComputeThrust without a report for one trial of a berm or unloading sweep:
// the same results, with the loads of the blocks the swept line keeps clear of
// taken from the memo of earlier trials.
float ComputeSweptThrust(const CSlideCalcData& item, SweepMemo& memo, float* angle, float* bermArea,
                         float* trimmedArea, float* residualThrust);

// ComputeThrust without a report that keeps every block it computed, in the
// order of the pass, with its loads and the normal force it met.
float ComputeThrustBlocks(const CSlideCalcData& item, std::vector<PassBlock>& blocks);
