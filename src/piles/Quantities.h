// Quantity, cost and time totals of one countermeasure over the length of the
// failed slope, as the thrust report and the designs print them.
#pragma once

#include <vector>

class CSlideCalcData;
class ReportWriter;

// What ReportQuantities totals.
enum QuantityKind { QuantityPiles = 0, QuantityBerm = 1, QuantityUnload = 2 };

// One quantity section as the report prints it.
struct QuantityTotals {
    int what = QuantityPiles;
    int pileKind = 0;  // 0-based candidate the section prices
    // The layout the piles were counted with: the item's, or a design's.
    int rows = 0;
    float spacing = 0.0f;
    int count = 0;        // piles
    float volume = 0.0f;  // berm or unloading, m³
    float cost = 0.0f, labour = 0.0f, days = 0.0f;
};

// what 0: the piles of candidate kind pileKind; 1: a berm of cross-section area
// (m² per metre width); 2: an unloading of cross-section area. 0 (nothing
// written) when pileKind is outside 0..pileKindCount-1, whatever `what` is;
// else 1. A written section is also appended to totals when given.
int ReportQuantities(const CSlideCalcData& item, ReportWriter& report, int what, float area,
                     int pileKind, std::vector<QuantityTotals>* totals = nullptr);

// Piles per row over the slope length B at spacing s: B / s truncated, plus one
// unless the last gap is within 1 mm. A spacing below 0.0001 counts as 0.0001.
int PilesPerRow(float slopeLength, float spacing);
