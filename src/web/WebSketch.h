// The live sketch of the current input for the web page: the calculation
// sketch as SVG, with every element a user points at (segments, loads, pile
// rows, berm, unloading) drawn again over it as an invisible, wide path that
// carries its id, its table and row, and its name with its coordinates, so
// that the page lights an element for a row and selects the row for an
// element as the desktop does.
#pragma once

#include "diagrams/SketchElements.h"
#include "platform/DrawingSvg.h"

#include <optional>
#include <string>
#include <vector>

class CSlideCalcData;

struct WebSketchElement {
    std::string id;           // "SlipSegment-4": the kind and the index from 0
    std::string name;         // "滑面第5段"
    std::string description;  // the name with its start and end in metres
    int table = -1;           // the TableId of the first table listing it
    int row = 0;              // its row there, from 1
};

struct WebSketch {
    std::string svg;
    SvgFrame frame;
    std::vector<WebSketchElement> elements;
    std::vector<SketchElement> found;  // the same elements in drawing units
};

WebSketch MakeWebSketch(const CSlideCalcData& item, const SvgOptions& options = {});

// The calculation window's explanatory picture ("说明图") of input page `page`
// (0..5, the tabs' order) as SVG; empty for a page without one.
std::string WebPagePicture(int page, const SvgOptions& options = {});

// The element under the picture point (px, py) within `tolerance` pixels: its
// index in `elements`; none when nothing is that near.
std::optional<int> HitWebSketch(const WebSketch& sketch, double px, double py, double tolerance);
// "X=12.000  Y=-3.500": the section point under the picture point, in metres.
std::string WebSketchPosition(const WebSketch& sketch, double px, double py);
