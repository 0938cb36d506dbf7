// Auto-design target 2: the height at which the unloading line starts that
// trims the least volume while the piles carry the remaining thrust.
#pragma once

#include "designs/DesignEnv.h"

class CSlideCalcData;
class ReportWriter;

// 1, or 0 when cancelled through the progress callback.
int DesignUnloading(const CSlideCalcData& item, ReportWriter& report, const DesignEnv& env);
