// The framed charts of the pen: Draw_Curve (an x-y panel of one curve) and
// Draw_Curve2 (two series over a vertical axis, for values along a pile).
// Frames and captions are in the pen colour, the grid in grey dots, tick
// labels sized from the panel so that a panel reads the same at any size.
#include "platform/DrawingPen.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace {

constexpr int kGridColor = 8;
constexpr int kMaxDivisions = 100;

// One axis of a panel: the value range laid along `length` from `origin`.
struct Axis {
    float lo = 0.0f;
    float hi = 1.0f;
    float origin = 0.0f;
    float length = 1.0f;
    int divisions = 1;

    float map(float v) const { return origin + (v - lo) / (hi - lo) * length; }
    float step() const { return (hi - lo) / static_cast<float>(divisions); }
    float value(int i) const { return lo + step() * static_cast<float>(i); }
};

// A range with no width is widened around its value, so that a flat curve
// still gets a panel; NaN or infinite ranges refuse the panel.
bool makeAxis(float lo, float hi, float origin, float length, int divisions, Axis* axis) {
    if (!std::isfinite(lo) || !std::isfinite(hi) || !std::isfinite(length) || length <= 0.0f)
        return false;
    if (hi < lo) std::swap(lo, hi);
    if (hi - lo < 1e-6f * std::max(1.0f, std::fabs(lo))) {
        float pad = std::max(1.0f, std::fabs(lo) * 0.1f);
        lo -= pad;
        hi += pad;
    }
    *axis = {lo, hi, origin, length, std::clamp(divisions, 1, kMaxDivisions)};
    return true;
}

// Tick text with as many decimals as the step needs, and no "-0".
std::string tickText(float v, float step) {
    int decimals = 0;
    float s = std::fabs(step);
    if (s > 0.0f && s < 1.0f) decimals = std::min(4, static_cast<int>(std::ceil(-std::log10(s))));
    if (s > 0.0f && std::fabs(v) < s * 1e-3f) v = 0.0f;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, static_cast<double>(v));
    return buf;
}

float labelHeight(float width, float height) {
    return 0.05f * std::min(width, height);
}

bool pointOk(float a, float b) {
    return std::isfinite(a) && std::isfinite(b);
}

}  // namespace

int CBase_SGT::Draw_Curve(float x, float y, int n, const float* xs, const float* ys, float xMin,
                          float xMax, float yMin, float yMax, float width, float height,
                          int xDivisions, int yDivisions, const std::string& xLabel,
                          const std::string& yLabel, int drawFrame, int drawCurve) {
    Axis ax, ay;
    if (n < 1 || !xs || !ys || !makeAxis(xMin, xMax, x, width, xDivisions, &ax) ||
        !makeAxis(yMin, yMax, y, height, yDivisions, &ay))
        return 0;
    const float th = labelHeight(width, height);
    Push_ENV();
    if (drawFrame) {
        Add_Default_LineType();
        float widest = 0.0f;
        for (int i = 0; i <= ax.divisions; ++i) {
            float px = ax.map(ax.value(i));
            Push_ENV();
            SetCurColor(kGridColor);
            SetCurLType(kDotLineType);
            if (i > 0 && i < ax.divisions) Draw_Line(px, y, px, y + height, 1.0f);
            Pop_ENV();
            Draw_Line(px, y, px, y - 0.5f * th, 1.0f);
            std::string t = tickText(ax.value(i), ax.step());
            Draw_Text(px - GetTextWidth(t, th, -1.0f, nullptr) / 2, y - 1.8f * th, th, 0.0f, t);
        }
        for (int j = 0; j <= ay.divisions; ++j) {
            float py = ay.map(ay.value(j));
            Push_ENV();
            SetCurColor(kGridColor);
            SetCurLType(kDotLineType);
            if (j > 0 && j < ay.divisions) Draw_Line(x, py, x + width, py, 1.0f);
            Pop_ENV();
            Draw_Line(x, py, x - 0.5f * th, py, 1.0f);
            std::string t = tickText(ay.value(j), ay.step());
            float w = GetTextWidth(t, th, -1.0f, nullptr);
            widest = std::max(widest, w);
            Draw_Text(x - 0.8f * th - w, py - th / 2, th, 0.0f, t);
        }
        Draw_Line(x, y, x + width, y, 1.0f);
        Draw_Line(x + width, y, x + width, y + height, 1.0f);
        Draw_Line(x + width, y + height, x, y + height, 1.0f);
        Draw_Line(x, y + height, x, y, 1.0f);
        float cw = GetTextWidth(xLabel, 1.2f * th, -1.0f, nullptr);
        Draw_Text(x + width / 2 - cw / 2, y - 3.6f * th, 1.2f * th, 0.0f, xLabel);
        cw = GetTextWidth(yLabel, 1.2f * th, -1.0f, nullptr);
        Draw_Text(x - 1.5f * th - widest, y + height / 2 - cw / 2, 1.2f * th, 90.0f, yLabel);
    }
    for (int i = 0; i < n; ++i) {
        if (!pointOk(xs[i], ys[i])) continue;
        float px = ax.map(xs[i]), py = ay.map(ys[i]);
        if (drawCurve && i + 1 < n && pointOk(xs[i + 1], ys[i + 1]))
            Draw_Line(px, py, ax.map(xs[i + 1]), ay.map(ys[i + 1]), 1.0f);
    }
    Pop_ENV();
    return 1;
}

namespace {

// The frame, grid, ticks and captions of a Draw_Curve2 panel.
void drawDepthFrame(CBase_SGT& d, const Axis& at, const Axis& av, float th,
                    const std::string& tLabel, const std::string& vLabel) {
    const float x0 = av.origin, x1 = av.origin + av.length;
    const float y0 = at.origin, y1 = at.origin + at.length;
    d.Add_Default_LineType();
    float widest = 0.0f;
    for (int i = 0; i <= at.divisions; ++i) {
        float py = at.map(at.value(i));
        d.Push_ENV();
        d.SetCurColor(kGridColor);
        d.SetCurLType(kDotLineType);
        if (i > 0 && i < at.divisions) d.Draw_Line(x0, py, x1, py, 1.0f);
        d.Pop_ENV();
        d.Draw_Line(x0, py, x0 - 0.5f * th, py, 1.0f);
        std::string t = tickText(at.value(i), at.step());
        float w = d.GetTextWidth(t, th, -1.0f, nullptr);
        widest = std::max(widest, w);
        d.Draw_Text(x0 - 0.8f * th - w, py - th / 2, th, 0.0f, t);
    }
    for (int j = 0; j <= av.divisions; ++j) {
        float px = av.map(av.value(j));
        d.Push_ENV();
        d.SetCurColor(kGridColor);
        d.SetCurLType(kDotLineType);
        if (j > 0 && j < av.divisions) d.Draw_Line(px, y0, px, y1, 1.0f);
        d.Pop_ENV();
        d.Draw_Line(px, y0, px, y0 - 0.5f * th, 1.0f);
        std::string t = tickText(av.value(j), av.step());
        d.Draw_Text(px - d.GetTextWidth(t, th, -1.0f, nullptr) / 2, y0 - 1.8f * th, th, 0.0f, t);
    }
    d.Draw_Line(x0, y0, x1, y0, 1.0f);
    d.Draw_Line(x1, y0, x1, y1, 1.0f);
    d.Draw_Line(x1, y1, x0, y1, 1.0f);
    d.Draw_Line(x0, y1, x0, y0, 1.0f);
    // The zero line: the pile axis the diagram is drawn from.
    if (av.lo < 0.0f && av.hi > 0.0f) d.Draw_Line(av.map(0.0f), y0, av.map(0.0f), y1, 1.0f);
    float cw = d.GetTextWidth(tLabel, 1.2f * th, -1.0f, nullptr);
    d.Draw_Text(x0 - 1.5f * th - widest, (y0 + y1) / 2 - cw / 2, 1.2f * th, 90.0f, tLabel);
    cw = d.GetTextWidth(vLabel, 1.5f * th, -1.0f, nullptr);
    d.Draw_Text((x0 + x1) / 2 - cw / 2, y1 + 0.8f * th, 1.5f * th, 0.0f, vLabel);
}

// Labels the largest and the smallest value of a series at their points.
void markDepthExtremes(CBase_SGT& d, const Axis& at, const Axis& av, int n, const float* ts,
                       const float* vs, float th) {
    int lo = -1, hi = -1;
    for (int i = 0; i < n; ++i) {
        if (!pointOk(ts[i], vs[i])) continue;
        if (lo < 0 || vs[i] < vs[lo]) lo = i;
        if (hi < 0 || vs[i] > vs[hi]) hi = i;
    }
    if (lo < 0) return;
    for (int i : {hi, lo}) {
        float px = av.map(vs[i]), py = at.map(ts[i]);
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.2f", static_cast<double>(vs[i]));
        float w = d.GetTextWidth(buf, 0.8f * th, -1.0f, nullptr);
        // Right of the point when it lies in the left half, else left of it.
        float tx = px < av.origin + av.length / 2 ? px + 0.3f * th : px - 0.3f * th - w;
        d.Draw_Circle(px, py, 0.2f * th, 1.0f);
        d.Draw_Text(tx, py + 0.2f * th, 0.8f * th, 0.0f, buf);
        if (lo == hi) break;
    }
}

}  // namespace

int CBase_SGT::Draw_Curve2(float x, float y, int n, const float* ts, const float* series1,
                           const float* series2, float tMin, float tMax, float vMin, float vMax,
                           float tLength, float vLength, int tDivisions, int vDivisions,
                           const std::string& tLabel, const std::string& vLabel) {
    Axis at, av;
    if (n < 1 || !ts || !series1 || !makeAxis(tMin, tMax, y, tLength, tDivisions, &at) ||
        !makeAxis(vMin, vMax, x, vLength, vDivisions, &av))
        return 0;
    const float th = labelHeight(vLength, tLength);
    Push_ENV();
    drawDepthFrame(*this, at, av, th, tLabel, vLabel);
    // Hatch from the axis to the first series, at most about 40 strokes.
    int every = std::max(1, n / 40);
    float zero = av.map(std::clamp(0.0f, av.lo, av.hi));
    for (int i = 0; i < n; i += every)
        if (pointOk(ts[i], series1[i]))
            Draw_Line(zero, at.map(ts[i]), av.map(series1[i]), at.map(ts[i]), 1.0f);
    for (int i = 0; i + 1 < n; ++i)
        if (pointOk(ts[i], series1[i]) && pointOk(ts[i + 1], series1[i + 1]))
            Draw_Line(av.map(series1[i]), at.map(ts[i]), av.map(series1[i + 1]), at.map(ts[i + 1]),
                      1.0f);
    if (series2) {
        Push_ENV();
        Add_Default_LineType();
        SetCurColor(DrawColor::kRed);
        SetCurLType(kDotLineType);
        for (int i = 0; i + 1 < n; ++i)
            if (pointOk(ts[i], series2[i]) && pointOk(ts[i + 1], series2[i + 1]))
                Draw_Line(av.map(series2[i]), at.map(ts[i]), av.map(series2[i + 1]),
                          at.map(ts[i + 1]), 1.0f);
        Pop_ENV();
    }
    markDepthExtremes(*this, at, av, n, ts, series1, th);
    Pop_ENV();
    return 1;
}
