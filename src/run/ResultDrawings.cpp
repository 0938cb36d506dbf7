// The run's drawings. The diagrams subsystem (DrawSketch, DrawThrustCurve)
// has not been wired in yet, so nothing is drawn and no file is written: a
// missing drawing is better than an empty one that looks like a result.
#include "run/ResultDrawings.h"

int WriteSketchDrawing(const CSlideCalcData&, const std::string&) {
    return 0;
}

int WriteThrustCurveDrawing(const CSlideCalcData&, const std::string&) {
    return 0;
}
