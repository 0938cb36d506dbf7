// Auto-design target 1: the counter-pressure berm with the least volume whose
// landslide thrust the piles can carry, by height H or by position X0.
#pragma once

#include "designs/DesignEnv.h"

class CSlideCalcData;
class ReportWriter;

// 1 when the search ran; 0 when refused (X0 with piles: the message box is
// shown through env.ctx's message sink) or cancelled.
int DesignBerm(const CSlideCalcData& item, ReportWriter& report, const DesignEnv& env);
