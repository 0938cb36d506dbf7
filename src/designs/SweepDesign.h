// The common course of the berm and unloading designs: what the piles carry,
// the sweep over one field of the record, the sweep drawing, and the report
// of the trial with the least volume.
#pragma once

#include "data/CSlideCalcData.h"
#include "designs/DesignEnv.h"
#include "engine/SectionGeometry.h"

class ReportWriter;

struct SweepDesignKind {
    float CSlideCalcData::*field;  // the searched field: bermH, bermX or unloadY
    LineKind swept;                // the one line the field moves: Berm or Unload
    bool volumeIsBerm;             // the berm area, else the trimmed area
    int quantities;                // ReportQuantities: 1 berm, 2 unloading
    const char* resultLine;        // "... = %s(m)时，满足要求且土方量最少\n"
    const char* xLabel;
    const char* volumeLabel;
};

// Rp = PileResistance of pile kind 0 (0 without piles); with piles its line
// "桩所能承受的最大的滑坡推力为" is written.
float ReportPileCapacity(const CSlideCalcData& item, ReportWriter& report);

// Steps 4 to 8 of both designs over `range`, satisfied when Hx < Rp.
// 1, or 0 when cancelled.
int RunSweepDesign(const CSlideCalcData& item, ReportWriter& report, const DesignEnv& env,
                   const SweepDesignKind& kind, const CValueRange& range, float Rp);
