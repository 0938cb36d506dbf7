// Labels over the sketch in the text style "HZ", sized from the section's
// extent so that they read at the page width whatever the slope's size.
#include "diagrams/AnnotatedSketch.h"

#include "data/CSlideCalcData.h"
#include "diagrams/Sketch.h"
#include "diagrams/ThrustCurve.h"
#include "engine/SectionGeometry.h"
#include "engine/SectionLines.h"
#include "platform/Drawing.h"
#include "platform/PrintfFormat.h"

#include <algorithm>
#include <cmath>

namespace {

// A label is a 1/70 of the section's width high, within 0.2 m and 3 m.
float labelHeight(const SectionLines& lines) {
    float lo = 0.0f, hi = 0.0f;
    for (LineKind kind : {Slip, Slope}) {
        for (int i = 0; i < lines.count(kind); ++i) {
            lo = std::min(lo, lines.xs(kind)[i]);
            hi = std::max(hi, lines.xs(kind)[i]);
        }
    }
    return std::clamp((hi - lo) / 70.0f, 0.2f, 3.0f) * kSketchMm;
}

void centredText(DXF& d, float x, float y, float h, const std::string& text) {
    d.Draw_Text(x - d.GetTextWidth(text, h, -1.0f, "HZ") / 2.0f, y, h, 0.0f, text);
}

// Block k (from the crest) stands over slip segment n - k (from the toe).
void blockNumbers(DXF& d, const SectionLines& lines, float h) {
    const int points = lines.count(Slip);
    const int n = points - 1;
    for (int i = 0; i < n; ++i) {
        const float xm = (lines.xs(Slip)[i] + lines.xs(Slip)[i + 1]) / 2.0f;
        const float ym = (lines.ys(Slip)[i] + lines.ys(Slip)[i + 1]) / 2.0f;
        centredText(d, kSketchMm * xm, kSketchMm * ym + h, h, stringPrintf("%d", n - i));
    }
}

void pointCoordinates(DXF& d, const SectionLines& lines, LineKind kind, float h, float below) {
    for (int i = 0; i < lines.count(kind); ++i) {
        const float x = lines.xs(kind)[i], y = lines.ys(kind)[i];
        const std::string text =
            stringPrintf("(%.2f,%.2f)", static_cast<double>(x), static_cast<double>(y));
        d.Draw_Text(kSketchMm * x, kSketchMm * y + below, h * 0.6f, 0.0f, text);
    }
}

void pileLabels(const CSlideCalcData& item, DXF& d, float h) {
    if (!item.usePiles || !SketchShowsCountermeasures(item)) return;
    for (int r = 0; r < SketchPileRows(item); ++r) {
        float x, ySlip, freeLength, embedDepth;
        PileRowPosition(item, r, &x, &ySlip, &freeLength, &embedDepth);
        centredText(d, kSketchMm * x, kSketchMm * (ySlip + freeLength) + h / 2.0f, h,
                    stringPrintf("第%d排桩 X=%.2f", r + 1, static_cast<double>(x)));
    }
}

void waterLabel(DXF& d, const SectionLines& lines, float h) {
    if (lines.count(Water) < 1) return;
    const int last = lines.count(Water) - 1;
    d.Draw_Text(kSketchMm * lines.xs(Water)[last] + h / 2.0f, kSketchMm * lines.ys(Water)[last], h,
                0.0f, "水位线");
}

}  // namespace

std::unique_ptr<DXF> MakeAnnotatedSketchDrawing(const CSlideCalcData& item) {
    std::unique_ptr<DXF> d = NewResultDrawing(true);
    if (!d) return d;
    DrawSketch(item, d.get());
    const SectionLines lines(item);
    const float h = labelHeight(lines);
    d->Push_ENV();
    d->SetCurColor("1");
    blockNumbers(*d, lines, h);
    d->SetCurColor("7");
    pointCoordinates(*d, lines, Slip, h, -h);
    d->SetCurColor("3");
    pointCoordinates(*d, lines, Slope, h, h / 3.0f);
    d->SetCurColor("2");
    pileLabels(item, *d, h);
    d->SetCurColor("5");
    waterLabel(*d, lines, h);
    d->Pop_ENV();
    return d;
}
