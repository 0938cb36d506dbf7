// The in-memory drawing as an SVG document with the look of the desktop's
// pictures (src/render): white ground, each entity in its AutoCAD colour,
// strokes one pixel wide times their weight and staying so when the picture
// is zoomed, wide polyline segments at their width, dotted line types dotted,
// texts on their base lines in a CJK face, stretched by their width factor.
// Qt-free, for the web edition.
#pragma once

#include "platform/PictureFrame.h"

#include <functional>
#include <string>
#include <string_view>

class DXF;

struct SvgOptions {
    int maxWidth = 1600;  // the picture fits this box, keeping the drawing's proportions
    int maxHeight = 1200;
    double marginRatio = 0.03;  // blank border, as a part of the shorter side
};

// What the picture is: its size and where the drawing lies in it.
struct SvgFrame {
    PictureSize size;
    PictureFit fit;
    double x(double drawingX) const { return fit.ox + drawingX * fit.scale; }
    double y(double drawingY) const { return fit.oy - drawingY * fit.scale; }
};

SvgFrame svgFrame(const DXF& drawing, const SvgOptions& options = {});

// "#rrggbb" of an AutoCAD colour number on white.
std::string svgColour(int aci);
// Text as XML character data or an attribute value: markup characters as
// entities, control characters left out; text that is not UTF-8 is read
// as GBK, as a drawing read from an old file may carry it.
std::string svgEscape(std::string_view text);

// The document. `extra`, when given, adds its markup over the drawing, in the
// picture's coordinates (the sketch's pointable elements).
std::string formatSvg(const DXF& drawing, const SvgOptions& options = {},
                      const std::function<std::string(const SvgFrame&)>& extra = {});
