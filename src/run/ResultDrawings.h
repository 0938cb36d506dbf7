// Where a calculation run writes its drawings: the calculation sketch before
// the report, and the residual-thrust curve with the sketch above it after
// the run. The diagrams subsystem draws them.
#pragma once

#include <string>

class CSlideCalcData;

// The calculation sketch of item, written to path (result entry 0). 1 when a
// file was written.
int WriteSketchDrawing(const CSlideCalcData& item, const std::string& path);

// The residual-thrust curve of item's last pass, with the sketch inserted 10 m
// above the top of the curve, written to path (result entry 2). 1 when a file
// was written.
int WriteThrustCurveDrawing(const CSlideCalcData& item, const std::string& path);
