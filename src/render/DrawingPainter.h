// Painting a drawing through a view transform: the drawing view on every
// repaint, pictures and printing. Only what meets the viewport is painted,
// so zoomed-in views of huge drawings stay fast; and when hundreds of
// thousands of strokes are visible at once they are drawn one pixel wide
// without antialiasing, so a picture of a million lines takes a second, not
// a minute.
#pragma once

#include "render/ViewTransform.h"

#include <cstddef>

class DXF;
class DrawingIndex;
class QPainter;

struct PaintOptions {
    bool antialias = true;
    // Texts are painted this many times their height (the view's text
    // display ratio); anything not a positive number counts as 1.
    double textRatio = 1.0;
    // Device width of a plain stroke of weight 1: 1 on screens and images,
    // the printer's resolution / 96 on paper.
    double hairline = 1.0;
};

struct PaintSummary {
    size_t visible = 0;  // entities that met the viewport
    size_t strokes = 0;  // line and polyline segments among them
    bool dense = false;  // the strokes went through the stroke raster
};

// Visible strokes from which the stroke raster takes over.
constexpr size_t kDenseStrokes = 100000;

// Paints the entities of `drawing` that meet the view's viewport, in drawing
// order. `index` must be built from this drawing as it is now; without one
// the entities are measured on the spot (the same result, slower on repeat).
PaintSummary paintDrawing(QPainter& painter, const DXF& drawing, const ViewTransform& view,
                          const PaintOptions& options = {}, const DrawingIndex* index = nullptr);
