// The section "[桩身配筋]" of the supplement for check target 2 with a
// reinforced-concrete pile: the reinforcement designed from the run's moments
// and shears with the item's settings, and its drawing "<base>_TLVR_PJ.DXF".
#pragma once

#include <string>

class CSlideCalc;
class CSlideCalcData;
class ReportWriter;

// Writes the section and the drawing; nothing for other targets and materials.
void WritePileRebarSection(CSlideCalc& calc, const CSlideCalcData& item, ReportWriter& report);

// The drawing under its title, when this run drew it.
void WritePileRebarDrawingEntry(const CSlideCalc& calc, const CSlideCalcData& item,
                                ReportWriter& report);

// The drawing's bare name, from the item's report name ("&TLVR_0001_TLVR.RTF"
// gives "&TLVR_0001_TLVR_PJ.DXF"); empty when the item has no result names.
std::string PileRebarDrawingName(const CSlideCalcData& item);
