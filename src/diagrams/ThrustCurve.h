// The residual-thrust curve: the force entering each block drawn over the
// section's x from the crest down to the thrust position, on a force axis
// scaled to a third of the crest height, with the sketch above it.
#pragma once

#include <memory>

class CBase_SGT;
class CSlideCalcData;
class DXF;

// The curve from item.residualThrust; the pen is left as it was. Returns 1
// (0 for a null drawing).
int DrawThrustCurve(const CSlideCalcData& item, CBase_SGT* drawing);

// A result drawing as every one is made: empty, text style "HZ" (shape fonts
// txt and hztxt, free height, width factor 0.75) and the tables; the pen on
// "HZ" when withHzPen. Null when no drawing could be made.
std::unique_ptr<DXF> NewResultDrawing(bool withHzPen);

// The item's sketch drawing (the first result drawing).
std::unique_ptr<DXF> MakeSketchDrawing(const CSlideCalcData& item);

// The third result drawing: the curve, with `sketch` inserted 10 m (10000
// drawing units) above the top of the curve at x 0, so that the curve lies
// under the section it belongs to.
std::unique_ptr<DXF> MakeThrustCurveDrawing(const CSlideCalcData& item, const DXF& sketch);
