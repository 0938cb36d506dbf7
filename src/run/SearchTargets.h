// The run's entries for the pile safety factor, the back-calculations and the
// three auto-designs: each hands the operation the run's item curve and
// context, so trials show on the curve and refusals reach the message sink.
#pragma once

class CSlideCalc;
class CSlideCalcData;
class ReportWriter;

int runPileSafety(CSlideCalc& calc, CSlideCalcData& item, ReportWriter& report);
int runBackCalcPhi(CSlideCalc& calc, CSlideCalcData& item, ReportWriter& report);
int runBackCalcC(CSlideCalc& calc, CSlideCalcData& item, ReportWriter& report);
int runDesignPiles(CSlideCalc& calc, CSlideCalcData& item, ReportWriter& report);
int runDesignBerm(CSlideCalc& calc, CSlideCalcData& item, ReportWriter& report);
int runDesignUnloading(CSlideCalc& calc, CSlideCalcData& item, ReportWriter& report);
