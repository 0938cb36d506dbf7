// Placeholder bodies until the in-memory drawing and the sketch are built:
// they report "no drawing could be made", the path the designs already take
// when a drawing cannot be created, so the text results are unaffected.
// TODO(drawings): DrawDesignCurve panels and DrawSketch of the best trial.
#include "designs/DesignDrawings.h"

int WriteDesignSweepDrawing(const WorkContext&, const CSlideCalcData&, const SweepChart&) {
    return 0;
}

int WriteBestTrialSketch(const WorkContext&, const CSlideCalcData&, const CSlideCalcData&) {
    return 0;
}
