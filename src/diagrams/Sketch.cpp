// The calculation sketch. Section metres become drawing millimetres (×1000)
// only where a point is drawn, so the geometry is looked up in the engine's
// own units and rounding.
#include "diagrams/Sketch.h"

#include "data/CSlideCalcData.h"
#include "engine/SectionGeometry.h"
#include "platform/DrawingPen.h"
#include "platform/PlaneGeometry.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kMm = kSketchMm;

// A count as a loop bound: negative counts draw nothing, large ones stop at
// the array's end.
int bounded(int count, int most) {
    return std::clamp(count, 0, most);
}

// Truncation of a float count that NaN or a huge value cannot break.
int truncatedCount(float v, int most) {
    if (!(v >= 0.0f)) return 0;
    return v >= static_cast<float>(most) ? most : static_cast<int>(v);
}

void dottedLine(CBase_SGT& d, float x1, float y1, float x2, float y2) {
    d.Push_ENV();
    d.SetCurLType("DOT");
    d.Draw_Line(x1, y1, x2, y2, 1.0f);
    d.Pop_ENV();
}

// The hatching of a whole slip surface holds at most this many ticks: 4 km of
// surface at 0.8 m. A longer one, which only a mistyped length makes, gets its
// ticks spread wider, so that its drawings keep the size of a real one.
constexpr float kMaxHatchTicks = 5000.0f;

// Hatching under one slip segment: ticks `spacing` apart (0.8 m), 0.96 m
// long, at 45° below the segment.
void hatchSegment(CBase_SGT& d, float x1, float y1, float x2, float y2, float spacing) {
    float L = get_dist(x1, y1, x2, y2);
    float theta = get_line_angle(x1, y1, x2, y2);
    int m = truncatedCount(L / spacing, static_cast<int>(kMaxHatchTicks));
    // tick direction θ + π + π/4
    float tickAngle = theta + kPi + kPi / 4.0f;
    for (int j = 0; j <= m; ++j) {
        float bx = x1 + spacing * j * std::cos(theta);
        float by = y1 + spacing * j * std::sin(theta);
        float tx = bx + 0.96f * std::cos(tickAngle);
        float ty = by + 0.96f * std::sin(tickAngle);
        d.Draw_Line(kMm * bx, kMm * by, kMm * tx, kMm * ty, 1.0f);
    }
}

// The arrow of one point load at P (mm): shafts from P against the load's
// direction, heads at P pointing with it.
void drawLoad(CBase_SGT& d, float px, float py, const CPointLoad& load, float scale) {
    if (std::fabs(load.py) * scale > 1e-4f) {
        float s = load.py >= 0.0f ? 1.0f : -1.0f;
        d.Draw_Pline(px, py, px, py + load.py * scale, 100.0f, 100.0f, 1.0f);
        d.MoveTo(px, py);
        d.PlineTo_Relative(-300.0f, s * 400.0f, 100.0f, 100.0f);
        d.MoveTo(px, py);
        d.PlineTo_Relative(300.0f, s * 400.0f, 100.0f, 100.0f);
    }
    if (std::fabs(load.px) * scale > 1e-4f) {
        float s = load.px >= 0.0f ? 1.0f : -1.0f;
        d.Draw_Pline(px, py, px + load.px * scale, py, 100.0f, 100.0f, 1.0f);
        d.MoveTo(px, py);
        d.PlineTo_Relative(s * 400.0f, -300.0f, 100.0f, 100.0f);
        d.MoveTo(px, py);
        d.PlineTo_Relative(s * 400.0f, 300.0f, 100.0f, 100.0f);
    }
}

}  // namespace

bool SketchShowsCountermeasures(const CSlideCalcData& item) {
    return item.goal == 1 || item.checkTarget == 0 || item.checkTarget == 1 ||
           item.checkTarget == 2;
}

int SketchPileRows(const CSlideCalcData& item) {
    bool allRows = item.goal != 1 && (item.checkTarget == 0 || item.checkTarget == 2);
    return allRows ? bounded(item.pileRows, CSlideCalcData::kMaxRows) : 1;
}

CFPoint SketchLoadPoint(const CLineSeg& seg, float x0, float y0, const CPointLoad& load) {
    float L = get_dist(0.0f, 0.0f, seg.dx, seg.dy);
    float theta = get_line_angle(0.0f, 0.0f, seg.dx, seg.dy);
    float dist = std::clamp(load.dist, 0.0f, L);
    if (std::isnan(load.dist)) dist = 0.0f;
    return {kMm * (x0 + dist * std::cos(theta)), kMm * (y0 + dist * std::sin(theta))};
}

namespace {

// Fmax over every point load of the slope, at least 1e-5.
float largestLoad(const CSlideCalcData& item) {
    float fMax = 1e-5f;
    for (int k = 0; k < bounded(item.slopeCount, CSlideCalcData::kMaxSegments); ++k) {
        const CLineSeg& seg = item.slope[k];
        for (int l = 0; l < bounded(seg.loadCount, CLineSeg::kMaxLoads); ++l) {
            fMax = std::max(fMax, std::fabs(seg.loads[l].px));
            fMax = std::max(fMax, std::fabs(seg.loads[l].py));
        }
    }
    return fMax;
}

void drawSegmentLoads(CBase_SGT& d, const CLineSeg& seg, float x0, float y0, float scale) {
    for (int l = 0; l < bounded(seg.loadCount, CLineSeg::kMaxLoads); ++l) {
        CFPoint p = SketchLoadPoint(seg, x0, y0, seg.loads[l]);
        drawLoad(d, p.x, p.y, seg.loads[l], scale);
    }
}

// The water symbol of one segment (mm): three dashes of w/j, 300·j below the
// segment's middle, laid out in the segment's frame.
void waterSymbol(CBase_SGT& d, float x0, float y0, float x1, float y1) {
    float L = get_dist(x0, y0, x1, y1);
    float theta = get_line_angle(x0, y0, x1, y1);
    float w = std::min(1200.0f, L);
    for (int j = 1; j <= 3; ++j) {
        float half = w / static_cast<float>(j) / 2.0f;
        float ax = L / 2.0f - half, ay = -300.0f * j;
        float bx = L / 2.0f + half, by = -300.0f * j;
        rotate_coordinate(-theta, &ax, &ay);
        shift_coordinate(-x0, -y0, &ax, &ay);
        rotate_coordinate(-theta, &bx, &by);
        shift_coordinate(-x0, -y0, &bx, &by);
        d.Draw_Line(ax, ay, bx, by, 1.0f);
    }
}

}  // namespace

void DrawSlipLayer(const CSlideCalcData& item, CBase_SGT& d) {
    float xs[kMaxLinePoints], ys[kMaxLinePoints];
    int n = BuildLine(item, Slip, xs, ys);
    float length = 0.0f;
    for (int i = 0; i + 1 < n; ++i) length += get_dist(xs[i], ys[i], xs[i + 1], ys[i + 1]);
    const float spacing = length / kMaxHatchTicks > 0.8f ? length / kMaxHatchTicks : 0.8f;
    for (int i = 0; i + 1 < n; ++i) {
        float yg = LineYAtX(item, Slope, xs[i], 0);
        if (yg > ys[i]) d.Draw_Line(kMm * xs[i], kMm * ys[i], kMm * xs[i], kMm * yg, 1.0f);
        if (i == n - 2) {
            float ygEnd = LineYAtX(item, Slope, xs[i + 1], 0);
            if (ygEnd > ys[i + 1])
                d.Draw_Line(kMm * xs[i + 1], kMm * ys[i + 1], kMm * xs[i + 1], kMm * ygEnd, 1.0f);
        }
        d.Draw_Pline(kMm * xs[i], kMm * ys[i], kMm * xs[i + 1], kMm * ys[i + 1], 100.0f, 100.0f,
                     1.0f);
        hatchSegment(d, xs[i], ys[i], xs[i + 1], ys[i + 1], spacing);
    }
}

float SketchLoadScale(const CSlideCalcData& item) {
    // load scale 4000 / Fmax: the largest load is drawn 4 m long
    return 4000.0f / largestLoad(item);
}

void DrawSlopeLayer(const CSlideCalcData& item, CBase_SGT& d) {
    float xs[kMaxLinePoints], ys[kMaxLinePoints];
    int n = BuildLine(item, Slope, xs, ys);
    float scale = SketchLoadScale(item);
    for (int k = 0; k + 1 < n; ++k) {
        const CLineSeg& seg = item.slope[k];
        d.MoveTo(kMm * xs[k], kMm * ys[k]);
        d.LineTo_Relative(kMm * seg.dx, kMm * seg.dy);
        d.Push_ENV();
        d.SetCurColor("7");
        drawSegmentLoads(d, seg, xs[k], ys[k], scale);
        d.Pop_ENV();
    }
    float slipEnd = LineLastX(item, Slip);
    if (xs[n - 1] < slipEnd)
        dottedLine(d, kMm * xs[n - 1], kMm * ys[n - 1], kMm * (slipEnd + 1.0f), kMm * ys[n - 1]);
}

void DrawWaterLayer(const CSlideCalcData& item, CBase_SGT& d) {
    float xs[kMaxLinePoints], ys[kMaxLinePoints];
    int n = BuildLine(item, Water, xs, ys);
    if (xs[0] > 0.0f) dottedLine(d, kMm * xs[0], kMm * ys[0], -kMm, kMm * ys[0]);
    for (int i = 0; i + 1 < n; ++i) {
        float x0 = kMm * xs[i], y0 = kMm * ys[i], x1 = kMm * xs[i + 1], y1 = kMm * ys[i + 1];
        d.Draw_Line(x0, y0, x1, y1, 1.0f);
        waterSymbol(d, x0, y0, x1, y1);
    }
    float slipEnd = LineLastX(item, Slip);
    if (xs[n - 1] < slipEnd)
        dottedLine(d, kMm * xs[n - 1], kMm * ys[n - 1], kMm * (slipEnd + 1.0f), kMm * ys[n - 1]);
}

void DrawPileLayer(const CSlideCalcData& item, CBase_SGT& d) {
    int rows = SketchPileRows(item);
    float width = 10.0f * item.pileKinds[0].size1;  // section size in cm, drawn in mm
    for (int r = 0; r < rows; ++r) {
        float x, ySlip, freeLength, embedDepth;
        PileRowPosition(item, r, &x, &ySlip, &freeLength, &embedDepth);
        d.Draw_Pline(kMm * x, kMm * (ySlip - embedDepth), kMm * x, kMm * (ySlip + freeLength),
                     width, width, 1.0f);
    }
}

void DrawBermLayer(const CSlideCalcData& item, CBase_SGT& d) {
    float xs[kMaxLinePoints], ys[kMaxLinePoints];
    int n = BuildLine(item, Berm, xs, ys);
    for (int i = 0; i + 1 < n; ++i)
        d.Draw_Line(kMm * xs[i], kMm * ys[i], kMm * xs[i + 1], kMm * ys[i + 1], 1.0f);
}

void DrawUnloadLayer(const CSlideCalcData& item, CBase_SGT& d) {
    float xs[kMaxLinePoints], ys[kMaxLinePoints];
    int n = BuildLine(item, Unload, xs, ys);
    for (int i = 0; i + 1 < n; ++i)
        d.Draw_Line(kMm * xs[i], kMm * ys[i], kMm * xs[i + 1], kMm * ys[i + 1], 1.0f);
    float xe = xs[n - 1], ye = ys[n - 1];
    float yg = LineYAtX(item, Slope, xe, 0);
    if (ye < yg) dottedLine(d, kMm * xe, kMm * ye, kMm * xe, kMm * yg);
    if (item.goal != 1 || item.designTarget != 2) return;
    // The candidate start points of the unloading design, on the slope surface.
    const CValueRange& range = item.unloadYRange;
    float step = range.step < 0.001f ? 0.001f : range.step;
    int m = std::max(1, truncatedCount((range.maxValue - range.minValue + 0.001f) / step, 1999));
    d.Push_ENV();
    d.SetCurColor("2");
    for (int j = 0; j <= m; ++j) {
        float y = range.minValue + j * step;
        d.Draw_Circle(kMm * LineXAtY(item, Slope, y, 1), kMm * y, 200.0f, 1.0f);
    }
    d.Pop_ENV();
}

namespace {

// About how many entities the sketch has, so the list grows once: hatch
// ticks, block lines, slip and water segments, and six strokes per load.
size_t expectedEntities(const CSlideCalcData& item) {
    size_t n = 64;
    for (int i = 0; i < bounded(item.slipCount, CSlideCalcData::kMaxSegments); ++i) {
        float L = get_dist(0.0f, 0.0f, item.slip[i].dx, item.slip[i].dy);
        n += 3 + static_cast<size_t>(truncatedCount(L / 0.8f, 1000));
    }
    for (int i = 0; i < bounded(item.slopeCount, CSlideCalcData::kMaxSegments); ++i)
        n += 1 + 6 * bounded(item.slope[i].loadCount, CLineSeg::kMaxLoads);
    return n + 4 * bounded(item.waterCount, CSlideCalcData::kMaxSegments);
}

}  // namespace

int DrawSketch(const CSlideCalcData& item, CBase_SGT* drawing) {
    if (!drawing) return 0;
    CBase_SGT& d = *drawing;
    d.reserveEntities(expectedEntities(item));
    d.Add_Default_LineType();
    d.Push_ENV();
    d.SetCurColor("7");
    DrawSlipLayer(item, d);
    d.SetCurColor("3");
    DrawSlopeLayer(item, d);
    d.SetCurColor("5");
    DrawWaterLayer(item, d);
    bool shown = SketchShowsCountermeasures(item);
    if (item.usePiles && shown) {
        d.SetCurColor("2");
        DrawPileLayer(item, d);
    }
    if (item.useBerm && shown) {
        d.SetCurColor("6");
        DrawBermLayer(item, d);
    }
    if (item.useUnload && shown) {
        d.SetCurColor("1");
        DrawUnloadLayer(item, d);
    }
    d.Pop_ENV();
    return 1;
}
