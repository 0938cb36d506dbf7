// The sketch the desktop shows (MakeSketchDrawing), written by the core's SVG
// writer, and the sketch's own elements (SketchElements) as links.
#include "web/WebSketch.h"

#include "diagrams/InputPictures.h"
#include "diagrams/Sketch.h"
#include "diagrams/ThrustCurve.h"
#include "platform/Drawing.h"
#include "web/SketchRows.h"

#include <algorithm>
#include <cstdio>

namespace {

// Wide enough to point at with a finger, as the desktop's few pixels either
// side of a line are with a mouse.
constexpr int kPointablePixels = 10;

std::string elementPaths(const WebSketch& sketch, const SvgFrame& f) {
    char text[160];
    std::snprintf(text, sizeof text,
                  "<g id=\"elements\" fill=\"none\" stroke=\"transparent\" stroke-width=\"%d\" "
                  "stroke-linecap=\"round\" pointer-events=\"stroke\">\n",
                  kPointablePixels);
    std::string s = text;
    for (size_t i = 0; i < sketch.found.size(); ++i) {
        const WebSketchElement& e = sketch.elements[i];
        std::snprintf(text, sizeof text, "\" data-table=\"%d\" data-row=\"%d\" points=\"", e.table,
                      e.row);
        s += "<polyline id=\"" + e.id + text;
        for (const CFPoint& p : sketch.found[i].points) {
            std::snprintf(text, sizeof text, "%.2f,%.2f ", f.x(p.x), f.y(p.y));
            s += text;
        }
        // No <title>: the page names the pointed element by asking the core,
        // and the largest sketch's 1,300 titles were a sixth of what the
        // browser parses after an edit.
        s += "\"/>\n";
    }
    return s + "</g>\n";
}

}  // namespace

WebSketch MakeWebSketch(const CSlideCalcData& item, const SvgOptions& options) {
    WebSketch sketch;
    sketch.found = SketchElements(item);
    for (const SketchElement& e : sketch.found) {
        WebSketchElement w{std::string(sketchKindName(e.kind)) + "-" + std::to_string(e.index),
                           e.name, DescribeSketchElement(e)};
        if (auto row = sketchElementRow(e)) {
            w.table = static_cast<int>(row->first);
            w.row = row->second;
        }
        sketch.elements.push_back(std::move(w));
    }
    std::unique_ptr<DXF> drawing = MakeSketchDrawing(item);
    if (!drawing) return sketch;
    sketch.frame = svgFrame(*drawing, options);
    sketch.svg =
        formatSvg(*drawing, options, [&](const SvgFrame& f) { return elementPaths(sketch, f); });
    return sketch;
}

std::string WebPagePicture(int page, const SvgOptions& options) {
    std::unique_ptr<DXF> drawing = NewMemDxf();
    if (!drawing || DrawInputPicture(page, drawing.get()) == 0) return {};
    return formatSvg(*drawing, options);
}

namespace {

CFPoint drawingPoint(const SvgFrame& f, double px, double py) {
    return {static_cast<float>((px - f.fit.ox) / f.fit.scale),
            static_cast<float>((f.fit.oy - py) / f.fit.scale)};
}

}  // namespace

std::optional<int> HitWebSketch(const WebSketch& sketch, double px, double py, double tolerance) {
    std::optional<SketchElement> hit =
        HitSketchElement(sketch.found, drawingPoint(sketch.frame, px, py),
                         static_cast<float>(tolerance / sketch.frame.fit.scale));
    if (!hit) return std::nullopt;
    for (size_t i = 0; i < sketch.found.size(); ++i)
        if (sketch.found[i].kind == hit->kind && sketch.found[i].index == hit->index)
            return static_cast<int>(i);
    return std::nullopt;
}

std::string WebSketchPosition(const WebSketch& sketch, double px, double py) {
    CFPoint p = drawingPoint(sketch.frame, px, py);
    return DescribeSketchPoint(p.x / kSketchMm, p.y / kSketchMm);
}
