// The calculation sketch of a section: slip surface with its blocks and
// hatching, slope surface with its point loads, water line, pile rows, berm
// and unloading line, each layer in its own colour, in millimetres.
#pragma once

#include "platform/DrawingEntities.h"

class CBase_SGT;
class CSlideCalcData;
struct CLineSeg;
struct CPointLoad;

// Units of the sketch: drawing millimetres per section metre.
inline constexpr float kSketchMm = 1000.0f;

// The whole sketch, layer by layer; the pen is left as it was. Returns 1.
int DrawSketch(const CSlideCalcData& item, CBase_SGT* drawing);

// The layers, each in the pen colour the sketch sets for it.
void DrawSlipLayer(const CSlideCalcData& item, CBase_SGT& d);
void DrawSlopeLayer(const CSlideCalcData& item, CBase_SGT& d);
void DrawWaterLayer(const CSlideCalcData& item, CBase_SGT& d);
void DrawPileLayer(const CSlideCalcData& item, CBase_SGT& d);
void DrawBermLayer(const CSlideCalcData& item, CBase_SGT& d);
void DrawUnloadLayer(const CSlideCalcData& item, CBase_SGT& d);

// What the layers draw, for whoever finds the elements of the sketch again.
// Countermeasures show in a design and in the checks that involve them.
bool SketchShowsCountermeasures(const CSlideCalcData& item);
// Pile rows drawn: all of them where each row counts, else the first.
int SketchPileRows(const CSlideCalcData& item);
// Drawing units per kN of the load arrows.
float SketchLoadScale(const CSlideCalcData& item);
// Where a point load of a slope segment starting at (x0, y0) metres acts, in
// drawing units.
CFPoint SketchLoadPoint(const CLineSeg& seg, float x0, float y0, const CPointLoad& load);
