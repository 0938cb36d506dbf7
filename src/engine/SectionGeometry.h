// Section geometry of one calculation item as free functions of the record:
// the five section lines, heights and positions along them, the cut positions
// inside a block, the integration of one block and the point loads it carries.
// They read the record and change nothing. Repeated look-ups are faster through
// SectionLines (SectionLines.h), which these functions build on.
#pragma once

#include <vector>

class CSlideCalcData;

// The section lines, in the order the cut positions visit them.
enum LineKind { Slip = 0, Slope = 1, Water = 2, Unload = 3, Berm = 4 };
inline constexpr int kLineKinds = 5;

// Room for the longest point list: 100 segments, the start point and the two
// extension points of the lines used for the cut positions.
inline constexpr int kMaxLinePoints = 103;

// One block between two verticals, integrated strip by strip. Areas in m² and
// forces in kN, both per metre of slope width.
struct BlockGeometry {
    float area = 0.0f;            // sliding mass after unloading, berm included
    float wetArea = 0.0f;         // part of area below the water line
    float weight = 0.0f;          // total weight
    float wetWeight = 0.0f;       // weight of the part below the water line
    float staticWaterSum = 0.0f;  // 10 × water area above the ground; decides the report line
    float staticWaterH = 0.0f;    // horizontal force of that water, positive towards smaller x
    float staticWaterV = 0.0f;    // vertical force of that water, downwards
    float slipLength = 0.0f;      // slip surface under the strips that carry material
    float seepageForce = 0.0f;    // dynamic water pressure
    float buoyancy = 0.0f;        // uplift of the submerged soil
    float bermArea = 0.0f;        // berm material in the block
    float trimmedArea = 0.0f;     // area removed by unloading
};

// Point list of a line into xs, ys (room for kMaxLinePoints each); returns the
// number of points. A negative segment count builds the start point alone.
int BuildLine(const CSlideCalcData& item, LineKind kind, float* xs, float* ys);
// As BuildLine, with the lead-in and run-out points the cut positions need.
int BuildLineForCuts(const CSlideCalcData& item, LineKind kind, float* xs, float* ys);

float LineFirstX(const CSlideCalcData& item, LineKind kind);
float LineLastX(const CSlideCalcData& item, LineKind kind);
// Height of the line at x; side 1 reads just right of x, side 0 just left.
float LineYAtX(const CSlideCalcData& item, LineKind kind, float x, int side);
// x where the line, on a rising segment, reaches height y; 0.0 when none does.
float LineXAtY(const CSlideCalcData& item, LineKind kind, float y, int side);

bool InUnloadRange(const CSlideCalcData& item, float x);
bool InBermRange(const CSlideCalcData& item, float x);

// Position of pile row `row` (0 = the first row, counted towards smaller x),
// the slip height there and the free and embedded lengths of pile kind 0.
void PileRowPosition(const CSlideCalcData& item, int row, float* x, float* ySlip, float* freeLength,
                     float* embedDepth);

// Sorted cut positions of the block [x1, x2], x1 and x2 included.
void CollectCuts(const CSlideCalcData& item, float x1, float x2, std::vector<float>& cuts);

// Weights of one vertical column per unit plan area (kN/m²) from the heights of
// sliding soil, berm material and the water line above the slip surface.
float ColumnWeight(const CSlideCalcData& item, float soil, float berm, float water);
float ColumnWetWeight(const CSlideCalcData& item, float soil, float berm, float water);

// The block between the verticals x1 < x2.
BlockGeometry IntegrateBlock(const CSlideCalcData& item, float x1, float x2);

// Sum of the slope point loads that fall in the block [x1, x2]; a load on the
// left boundary belongs to the block below.
void SumPointLoads(const CSlideCalcData& item, float x1, float x2, float* px, float* py);
