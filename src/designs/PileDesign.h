// Auto-design target 0: for every candidate pile kind, the fewest rows (at
// most 20) and then the widest spacing in steps of 50 mm that resist the
// horizontal landslide thrust at the first pile row.
#pragma once

#include "designs/DesignEnv.h"

class CSlideCalcData;
class ReportWriter;

struct PileLayout {
    bool found = false;  // false: 20 rows at the least spacing are not enough
    int rows = 0;
    float spacing = 0.0f;  // m, a multiple of 0.05 m not above the exact spacing
};

// Rows and spacing of candidate k against the horizontal thrust H (kN/m).
// A thrust below 0.00001 is raised to 0.0001 in H itself when a layout is
// found, which later candidates then see as well.
PileLayout LayoutPileRows(const CSlideCalcData& item, int k, float& H);

// The candidates' part of the report, for a thrust H already computed.
// 1, or 0 when cancelled through the progress callback.
int ReportPileDesigns(const CSlideCalcData& item, ReportWriter& report, float H,
                      const DesignEnv& env);

// The whole design: one thrust pass, then every candidate. 1, or 0 when cancelled.
int DesignPiles(const CSlideCalcData& item, ReportWriter& report, const DesignEnv& env);
