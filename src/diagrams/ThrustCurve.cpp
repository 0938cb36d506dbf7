// The residual-thrust curve and the result drawings built around it.
#include "diagrams/ThrustCurve.h"

#include "diagrams/Sketch.h"

#include "data/CSlideCalcData.h"
#include "engine/SectionGeometry.h"
#include "engine/ThrustPass.h"
#include "platform/Drawing.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace {

constexpr float kMm = 1000.0f;
constexpr float kTextHeight = 1000.0f;  // h

std::string format(const char* fmt, double a) {
    char buf[64];
    std::snprintf(buf, sizeof buf, fmt, a);
    return buf;
}

// The force axis and the distance axis with their grids and labels.
void drawAxes(CBase_SGT& d, float xs0, float xc, float H, float k, float top) {
    const float h = kTextHeight;
    std::string unit = "单位(kN)";
    d.Draw_Text(kMm * xc + d.GetTextWidth(unit, h, -1.0f, "HZ"), H, h, 0.0f, unit);
    float step = top / 5.0f;
    for (int i = 0; i <= 10; ++i) {
        float v = top - static_cast<float>(i) * step;
        d.Draw_Line(kMm * xc, k * v, -kMm * xs0, k * v, 1.0f);
        d.Draw_Text(kMm * xc + h, k * v, h, 0.0f, format("%.0f", v));
    }
    unit = "单位(m)";
    d.Draw_Text(-d.GetTextWidth(unit, h, -1.0f, "HZ"), 0.0f, h, 0.0f, unit);
    for (int j = 0; j <= 10; ++j) {
        float x = xc * static_cast<float>(j) / 10.0f;
        d.Draw_Line(kMm * x, H, kMm * x, -H, 1.0f);
        if (j < 10) d.Draw_Text(kMm * x, 0.0f, h, 0.0f, format("%.0f", xc - x));
    }
}

// The curve from the crest down to x*, each segment's lower end labelled
// with its distance from the crest and its force.
void drawCurve(CBase_SGT& d, const float* xs, int n, const float* R, float xStar, float xc,
               float k) {
    for (int i = 0; i + 1 < n; ++i) {
        float xa = xs[n - 1 - i];
        float xb = xs[n - 2 - i];
        bool last = xb < xStar || i == n - 2;
        if (last) xb = xStar;
        d.SetCurColor(1);
        d.Draw_Line(kMm * xa, k * R[i], kMm * xb, k * R[i + 1], 1.0f);
        d.SetCurColor(2);
        char buf[96];
        std::snprintf(buf, sizeof buf, "(%.2f,%.2f)", static_cast<double>(xc - xb),
                      static_cast<double>(R[i + 1]));
        d.Draw_Text(kMm * xb, k * R[i + 1], kTextHeight / 10.0f, 0.0f, buf);
        if (last) break;
    }
}

}  // namespace

int DrawThrustCurve(const CSlideCalcData& item, CBase_SGT* drawing) {
    if (!drawing) return 0;
    CBase_SGT& d = *drawing;
    float xs[kMaxLinePoints], ys[kMaxLinePoints];
    int n = BuildLine(item, Slip, xs, ys);
    const float* R = item.residualThrust.data();
    float xc = xs[n - 1], yc = ys[n - 1];
    float xStar = ThrustPosition(item);
    // Range of the forces down to the first boundary left of x*.
    float rMax = -100000.0f, rMin = 100000.0f;
    for (int i = 0; i < n; ++i) {
        rMax = std::max(rMax, R[i]);
        rMin = std::min(rMin, R[i]);
        if (xs[n - 1 - i] < xStar) break;
    }
    float A = std::fabs(rMax) > std::fabs(rMin) ? std::fabs(rMax) : std::fabs(rMin);
    // H = 1000·|yc|/3, the chart's half-height; a crest at the toe's height
    // would give no chart at all, so it keeps 1 m.
    float H = kMm * std::fabs(yc) / 3.0f;
    if (!(H > 0.0f)) H = kMm;
    // k = 10 units per kN, or H / ceil(A)
    float k = 10.0f;
    if (A > 1e-5f && std::isfinite(A)) k = H / std::ceil(A);
    float top = H / k;
    d.Push_ENV();
    drawAxes(d, xs[0], xc, H, k, top);
    drawCurve(d, xs, n, R, xStar, xc, k);
    d.SetCurColor(2);
    std::string title = "剩余下滑力曲线";
    float w = d.GetTextWidth(title, 2.0f * kTextHeight, -1.0f, "HZ");
    d.Draw_Text(kMm * (xc - xs[0]) / 2.0f - w / 2.0f, -H - 2.0f * (2.0f * kTextHeight),
                2.0f * kTextHeight, 0.0f, title);
    d.Pop_ENV();
    return 1;
}

std::unique_ptr<DXF> NewResultDrawing(bool withHzPen) {
    std::unique_ptr<DXF> d = NewMemDxf();
    if (!d) return d;
    d->New_MemDxf();
    d->Add_STyle("HZ", "txt", "hztxt", 0.0f, 0.75f);
    d->Write_Tables();
    if (withHzPen) d->SetCurStyle("HZ");
    return d;
}

std::unique_ptr<DXF> MakeSketchDrawing(const CSlideCalcData& item) {
    std::unique_ptr<DXF> d = NewResultDrawing(false);
    if (d) DrawSketch(item, d.get());
    return d;
}

std::unique_ptr<DXF> MakeThrustCurveDrawing(const CSlideCalcData& item, const DXF& sketch) {
    std::unique_ptr<DXF> d = NewResultDrawing(true);
    if (!d) return d;
    DrawThrustCurve(item, d.get());
    CFRect r = d->GetFRect();
    d->InsertDxf(&sketch, 0.0f, r.p2.y + 10000.0f, 0.0f, 1.0f, 1.0f);
    return d;
}
