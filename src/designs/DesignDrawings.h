// The drawings of the berm and unloading designs: the sweep chart (thrust and
// volume against the trial value, "_TLVR_JG") and the sketch of the best
// trial ("_TLVR_JT"). The searches call only these two functions; the drawing
// library and the sketch live with the diagrams.
#pragma once

class CSlideCalcData;
struct WorkContext;

struct SweepChart {
    int n = 0;                       // points
    const float* values = nullptr;   // trial values (x of both panels)
    const float* thrusts = nullptr;  // horizontal thrust per trial
    const float* volumes = nullptr;  // volume per metre width per trial
    const char* xLabel = "";         // e.g. "反压码高度(m)"
    const char* thrustLabel = "";    // "水平推力kN"
    const char* volumeLabel = "";    // e.g. "单位宽反压码体积m3"
};

// The sweep drawing: the thrust panel at (0, 0), the volume panel at
// (0, -8000), written to the work path + the item's result drawing 1.
// 1 when written; 0 when no drawing could be made (the search goes on).
int WriteDesignSweepDrawing(const WorkContext& ctx, const CSlideCalcData& item,
                            const SweepChart& chart);

// The calculation sketch of the best trial, written over the item's sketch
// drawing (result drawing 0). 1 when written, 0 otherwise.
int WriteBestTrialSketch(const WorkContext& ctx, const CSlideCalcData& item,
                         const CSlideCalcData& best);
