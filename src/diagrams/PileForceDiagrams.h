// The four internal-force diagrams of one pile (moment, shear, displacement,
// soil reaction over depth) from the pile solver's result points.
#pragma once

#include "piles/PileData.h"

#include <string>
#include <vector>

class CSlideCalcData;
class DXF;
class DrawingShelf;

// The panels and the title into `drawing` (which needs the text style "HZ").
// At most the first 1000 points are drawn. Returns 1.
int DrawPileForcePanels(DXF& drawing, const std::vector<PileForcePoint>& points, float slipDepth);

// Makes the drawing and writes it as the item's result drawing 1 ("_TLVR_JG")
// in workPath, keeping it on shelf when there is one. 0 when no drawing could
// be made or the file not written.
int DrawPileForceDiagrams(const CSlideCalcData& item, const std::vector<PileForcePoint>& points,
                          float slipDepth, const std::string& workPath,
                          DrawingShelf* shelf = nullptr);
