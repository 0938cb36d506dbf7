// The calculation sketch with its labels, for the book: the number of every
// block (counted from the crest) over its slip segment, the coordinates of
// the slip surface's and slope surface's points, the pile rows and the water
// line named. The plain sketch stays as it is; this one stands beside it.
#pragma once

#include <memory>

class CSlideCalcData;
class DXF;

std::unique_ptr<DXF> MakeAnnotatedSketchDrawing(const CSlideCalcData& item);
