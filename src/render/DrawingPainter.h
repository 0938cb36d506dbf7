// Painting a drawing through a view transform: the drawing view on every
// repaint, pictures and printing. Only what meets the viewport is painted,
// so zoomed-in views of huge drawings stay fast; and when hundreds of
// thousands of strokes are visible at once they are drawn one pixel wide
// without antialiasing, so a picture of a million lines takes a second, not
// a minute.
#pragma once

#include "render/ViewTransform.h"

#include <QPainterPath>
#include <QRgb>
#include <QString>

#include <cstddef>
#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

class DXF;
class QColor;
class QFont;
class DrawingIndex;
class QPainter;

// Texts painted without antialiasing, filled glyph by glyph from outlines
// each taken from the font once: taking outlines costs more than filling
// them, and a drawing's labels use a few dozen glyphs hundreds of times;
// joining a label's glyphs into one outline would cost more again. Kept by
// the thread that paints pictures, for all the pictures it paints, up to a
// bound.
class TextOutlines {
  public:
    // Fills text in font (by its pixel size) with its base line's start at
    // the painter's origin.
    void fill(QPainter& p, const QFont& font, const std::string& text, const QColor& ink);

  private:
    // A glyph of a font: family, style, pixel size, glyph index.
    using GlyphKey = std::tuple<QString, QString, double, quint32>;
    // Each glyph of a text and where its origin stands.
    using Placed = std::vector<std::pair<const QPainterPath*, QPointF>>;
    const Placed& laidOut(const QFont& font, const std::string& text);

    std::map<std::pair<int, std::string>, Placed> m_texts;
    std::map<GlyphKey, QPainterPath> m_glyphs;
};

struct PaintOptions {
    bool antialias = true;
    // Texts are painted this many times their height (the view's text
    // display ratio); anything not a positive number counts as 1.
    double textRatio = 1.0;
    // Device width of a plain stroke of weight 1: 1 on screens and images,
    // the printer's resolution / 96 on paper.
    double hairline = 1.0;
    // Where outlines of aliased texts are kept while a picture is painted;
    // null to build each afresh.
    TextOutlines* outlines = nullptr;
    // When set, each colour is painted as the grey whose level is its place
    // in this palette, which must hold every colour painted: the bytes of a
    // Grayscale8 picture painted without antialiasing are then its palette
    // indexes.
    const std::vector<QRgb>* palette = nullptr;
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
