// The elements of the calculation sketch a user points at: the segments of
// the section lines, the point loads, the pile rows, the berm and the
// unloading segments, each with the path the sketch draws it along (drawing
// units). The calculation window highlights an element when its table row is
// selected, selects the row when the element is clicked, and tells what lies
// under the mouse; this finds them without knowing of any window.
#pragma once

#include "platform/DrawingEntities.h"

#include <optional>
#include <string>
#include <vector>

class CSlideCalcData;

enum class SketchElementKind {
    SlipSegment,
    SlopeSegment,
    WaterSegment,
    PointLoad,  // numbered as the load table lists them, segment by segment
    PileRow,
    Berm,
    UnloadSegment,
};

struct SketchElement {
    SketchElementKind kind;
    int index;                    // from 0, in the order of the element's table rows
    std::vector<CFPoint> points;  // the path drawn, drawing units
    std::string name;             // "滑面第5段", "集中力1-2", "第1排桩", ...
};

// Every element the sketch of the record shows, lines first.
std::vector<SketchElement> SketchElements(const CSlideCalcData& item);
// The segments of one of the slip, slope and water lines.
std::vector<SketchElement> SketchLineElements(const CSlideCalcData& item, SketchElementKind kind);

// The element whose path passes nearest to p, when that is within
// `tolerance` (drawing units); on a tie the one listed later (loads and
// piles lie over the lines) wins.
std::optional<SketchElement> HitSketchElement(const std::vector<SketchElement>& elements, CFPoint p,
                                              float tolerance);

// What a user reads on hovering: "滑面第5段  起点(10.000, -2.000)  终点(20.000, -3.000)"
// in section metres.
std::string DescribeSketchElement(const SketchElement& element);
// What a user reads on hovering where no element is: "X=10.000  Y=-2.000".
std::string DescribeSketchPoint(double xMetres, double yMetres);
