// The calculation sketch of a section: slip surface with its blocks and
// hatching, slope surface with its point loads, water line, pile rows, berm
// and unloading line, each layer in its own colour, in millimetres.
#pragma once

class CBase_SGT;
class CSlideCalcData;

// The whole sketch, layer by layer; the pen is left as it was. Returns 1.
int DrawSketch(const CSlideCalcData& item, CBase_SGT* drawing);

// The layers, each in the pen colour the sketch sets for it.
void DrawSlipLayer(const CSlideCalcData& item, CBase_SGT& d);
void DrawSlopeLayer(const CSlideCalcData& item, CBase_SGT& d);
void DrawWaterLayer(const CSlideCalcData& item, CBase_SGT& d);
void DrawPileLayer(const CSlideCalcData& item, CBase_SGT& d);
void DrawBermLayer(const CSlideCalcData& item, CBase_SGT& d);
void DrawUnloadLayer(const CSlideCalcData& item, CBase_SGT& d);
