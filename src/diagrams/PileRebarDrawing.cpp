// Curves, elevation and cross section of the pile reinforcement, laid out left
// to right in the units of the other result drawings (panels 3000 × 5000).
#include "diagrams/PileRebarDrawing.h"

#include "diagrams/DepthChart.h"
#include "diagrams/ThrustCurve.h"
#include "platform/Drawing.h"
#include "platform/PrintfFormat.h"
#include "platform/TextEncoding.h"
#include "rebar/PileReinforcement.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

constexpr float kPanel = 5000.0f;   // panel pitch and height
constexpr float kText = 200.0f;     // label height
constexpr float kColumn = 1000.0f;  // width of the pile in elevation
constexpr float kSectionSize = 4000.0f;

// Where a depth lies in the panels: the deepest point at 0, the top at 5000.
struct DepthScale {
    float deepest;
    float y(double z) const {
        return deepest > 0 ? kPanel * (1.0f - static_cast<float>(z) / deepest) : kPanel;
    }
};

void chart(DXF& d, float x, const std::vector<double>& depths, const std::vector<double>& a,
           const std::vector<double>& b, const std::string& title) {
    const int n = static_cast<int>(depths.size());
    std::vector<float> z(depths.begin(), depths.end()), s1(a.begin(), a.end()),
        s2(b.begin(), b.end());
    DrawDepthChart(&d, x, 0.0f, n, z.data(), s1.data(), s2.data(), title);
}

void text(DXF& d, float x, float y, const std::string& s, float h = kText) {
    d.Draw_Text(x, y, h, 0.0f, s);
}

// One face's bars in elevation: the through bars over the whole pile, the rest
// between their cut-off depths, each labelled.
void faceBars(DXF& d, const FaceBars& f, float x, float labelX, float labelY, const DepthScale& s,
              double length) {
    d.SetCurColor("1");
    d.Draw_Line(x, s.y(0.0), x, s.y(length), 1.0f);
    text(d, labelX, labelY, f.name + " 通长 " + f.through.label());
    if (!f.hasCut()) return;
    const float xc = x + (x < labelX ? 120.0f : -120.0f);
    d.Draw_Line(xc, s.y(f.cutFrom), xc, s.y(f.cutTo), 1.0f);
    BarGroup cut = f.all;
    cut.bundles = f.cutBundles;
    text(d, labelX, labelY - 1.5f * kText,
         f.name + " " + cut.label() +
             stringPrintf(" %.2f~%.2fm (la=%.0fmm)", f.cutFrom, f.cutTo, f.anchorage));
}

void elevation(DXF& d, const PileRebarInput& in, const PileRebar& r, float x0,
               const DepthScale& s) {
    d.Push_ENV();
    d.SetCurColor("7");
    d.MoveTo(x0, s.y(0.0));
    d.Draw_Line(x0, s.y(0.0), x0 + kColumn, s.y(0.0), 1.0f);
    d.Draw_Line(x0 + kColumn, s.y(0.0), x0 + kColumn, s.y(in.length), 1.0f);
    d.Draw_Line(x0 + kColumn, s.y(in.length), x0, s.y(in.length), 1.0f);
    d.Draw_Line(x0, s.y(in.length), x0, s.y(0.0), 1.0f);
    const float labelX = x0 + kColumn + 300.0f;
    faceBars(d, r.faces[0], x0 + 150.0f, labelX, kPanel + 1200.0f, s, in.length);
    if (r.faces.size() > 1)
        faceBars(d, r.faces[1], x0 + kColumn - 150.0f, labelX, kPanel + 400.0f, s, in.length);
    // Stirrup zones: a tick at every boundary, the zone's stirrups at its middle.
    d.SetCurColor("3");
    for (const StirrupZone& z : r.zones) {
        d.Draw_Line(x0 - 200.0f, s.y(z.from), x0 + kColumn + 200.0f, s.y(z.from), 1.0f);
        text(d, labelX, s.y((z.from + z.to) / 2.0) - kText / 2.0f,
             stringPrintf("%.2f~%.2fm Φ%d@%d(%d肢)", z.from, z.to, z.diameter, z.spacing, z.legs));
    }
    d.Pop_ENV();
}

// The slip surface across the curves and the elevation.
void slipLine(DXF& d, const PileRebarInput& in, float right, const DepthScale& s) {
    // Labelled left of the curves, where no other text stands.
    d.Push_ENV();
    d.Add_Default_LineType();
    d.SetCurLType("DOT");
    d.SetCurColor("5");
    d.Draw_Line(0.0f, s.y(in.slipDepth), right, s.y(in.slipDepth), 1.0f);
    d.Pop_ENV();
    text(d, -2600.0f, s.y(in.slipDepth) + 60.0f, stringPrintf("滑动面 %.2fm", in.slipDepth));
}

// A bundle of n bars of diameter dia (drawing units) centred at (x, y): side
// by side, or a triangle of two at the face and one behind, `inward` pointing
// from the face into the section.
void bundle(DXF& d, float x, float y, float dia, int n, float ix, float iy) {
    const float r = dia / 2.0f;
    if (n == 1) {
        d.Draw_Circle(x, y, r, 1.0f);
        return;
    }
    // Across the face: perpendicular to the inward direction.
    const float ax = -iy, ay = ix;
    d.Draw_Circle(x - ax * r, y - ay * r, r, 1.0f);
    d.Draw_Circle(x + ax * r, y + ay * r, r, 1.0f);
    if (n == 3) d.Draw_Circle(x + ix * dia * 0.866f, y + iy * dia * 0.866f, r, 1.0f);
}

void dimension(DXF& d, float x1, float y1, float x2, float y2, const std::string& label,
               float angle) {
    d.Draw_Line(x1, y1, x2, y2, 1.0f);
    const float tx = (y1 == y2) ? 0.0f : 80.0f, ty = (y1 == y2) ? 80.0f : 0.0f;
    d.Draw_Line(x1 - ty, y1 - tx, x1 + ty, y1 + tx, 1.0f);
    d.Draw_Line(x2 - ty, y2 - tx, x2 + ty, y2 + tx, 1.0f);
    d.Draw_Text((x1 + x2) / 2.0f - (y1 == y2 ? 300.0f : 60.0f),
                (y1 + y2) / 2.0f + (y1 == y2 ? 60.0f : -300.0f), kText, angle, label);
}

// One face's bars, layer by layer, evenly across the width between the stirrups.
void rectFaceBars(DXF& d, const PileRebar& r, int face, float x0, float y0, float k) {
    const SectionDesignInput& in = r.design.input;
    const float b = in.b * k, h = in.h * k;
    const float inset = (in.cover + r.design.stirrups.diameter) * k;
    const BarGroup& g = r.design.faces[face].bars;
    const float dia = g.diameter * k;
    const float w = BundleWidth(g.diameter, g.bundle) * k;
    const float clear = std::max(in.leastClear, g.equivalentDiameter()) * k;
    const float sign = face == 0 ? -1.0f : 1.0f;  // inward from the face
    const float yFace = face == 0 ? y0 + h : y0;
    for (int layer = 0; layer < 2; ++layer) {
        const int n = layer == 0 ? g.layer1 : g.layer2;
        if (n == 0) continue;
        const float gap = n > 1 ? (b - 2 * inset - n * w) / (n - 1) : 0.0f;
        const float depth =
            inset + dia / 2.0f + layer * (BundleHeight(g.diameter, g.bundle) * k + clear);
        for (int i = 0; i < n; ++i) {
            const float x = x0 + inset + w / 2.0f + i * (w + gap);
            bundle(d, x, yFace + sign * depth, dia, g.bundle, 0.0f, sign);
        }
    }
    text(d, x0, face == 0 ? y0 + h + 250.0f : y0 - 450.0f,
         r.design.faces[face].name + " " + g.label());
}

void rectSection(DXF& d, const PileRebar& r, float x0, float y0, float k) {
    const SectionDesignInput& in = r.design.input;
    const float b = in.b * k, h = in.h * k;
    d.SetCurColor("7");
    d.Draw_Line(x0, y0, x0 + b, y0, 1.0f);
    d.Draw_Line(x0 + b, y0, x0 + b, y0 + h, 1.0f);
    d.Draw_Line(x0 + b, y0 + h, x0, y0 + h, 1.0f);
    d.Draw_Line(x0, y0 + h, x0, y0, 1.0f);
    // Stirrups on their centre line, the inner legs evenly across.
    const StirrupChoice& st = r.design.stirrups;
    const float c = (in.cover + st.diameter / 2.0f) * k;
    d.SetCurColor("3");
    d.Draw_Line(x0 + c, y0 + c, x0 + b - c, y0 + c, 1.0f);
    d.Draw_Line(x0 + b - c, y0 + c, x0 + b - c, y0 + h - c, 1.0f);
    d.Draw_Line(x0 + b - c, y0 + h - c, x0 + c, y0 + h - c, 1.0f);
    d.Draw_Line(x0 + c, y0 + h - c, x0 + c, y0 + c, 1.0f);
    for (int leg = 1; leg + 1 < st.legs; ++leg) {
        const float x = x0 + c + (b - 2 * c) * leg / (st.legs - 1);
        d.Draw_Line(x, y0 + c, x, y0 + h - c, 1.0f);
    }
    // Bars: the inner face at the top, the outer face at the bottom.
    d.SetCurColor("1");
    for (int face = 0; face < 2; ++face) rectFaceBars(d, r, face, x0, y0, k);
    d.SetCurColor("7");
    dimension(d, x0, y0 - 900.0f, x0 + b, y0 - 900.0f, stringPrintf("%.0f", in.b), 0.0f);
    dimension(d, x0 - 500.0f, y0, x0 - 500.0f, y0 + h, stringPrintf("%.0f", in.h), 90.0f);
    text(d, x0, y0 - 1300.0f,
         stringPrintf("箍筋 Φ%d@%d(%d肢) 保护层 %.0fmm", st.diameter, st.spacing, st.legs,
                      in.cover));
}

void circleSection(DXF& d, const PileRebar& r, float x0, float y0, float k) {
    const SectionDesignInput& in = r.design.input;
    const float R = in.d / 2.0f * k, cx = x0 + R, cy = y0 + R;
    const StirrupChoice& st = r.design.stirrups;
    d.SetCurColor("7");
    d.Draw_Circle(cx, cy, R, 1.0f);
    d.SetCurColor("3");
    d.Draw_Circle(cx, cy, R - (in.cover + st.diameter / 2.0f) * k, 1.0f);
    d.SetCurColor("1");
    const BarGroup& g = r.design.faces[0].bars;
    for (int i = 0; i < g.bundles; ++i) {
        const double t = 2.0 * std::numbers::pi * i / g.bundles;
        const float ix = -static_cast<float>(std::cos(t)), iy = -static_cast<float>(std::sin(t));
        bundle(d, cx - ix * g.radius * k, cy - iy * g.radius * k, g.diameter * k, g.bundle, ix, iy);
    }
    d.SetCurColor("7");
    dimension(d, x0, y0 - 900.0f, x0 + 2 * R, y0 - 900.0f, stringPrintf("D=%.0f", in.d), 0.0f);
    text(d, x0, y0 + 2 * R + 250.0f, "沿周边均布 " + g.label());
    text(d, x0, y0 - 1300.0f,
         stringPrintf("箍筋 Φ%d@%d 保护层 %.0fmm", st.diameter, st.spacing, in.cover));
}

void title(DXF& d, float center, float left, float right) {
    d.Push_ENV();
    d.SetCurStyle("HZ");
    d.SetCurColor("2");
    const std::string t = "桩身配筋图";
    const float width = 0.6f * 400.0f * static_cast<float>(gbkWidth(t));
    d.Draw_Text(center - width / 2.0f, -2200.0f, 400.0f, 0.0f, t);
    d.Draw_Line(left, -2400.0f, right, -2400.0f, 1.0f);
    d.Pop_ENV();
}

}  // namespace

std::unique_ptr<DXF> MakePileRebarDrawing(const PileRebarInput& in, const PileRebar& r) {
    if (r.faces.empty() || r.depths.empty() || !r.design.stirrups.found) return nullptr;
    std::unique_ptr<DXF> drawing = NewResultDrawing(true);
    if (!drawing) return nullptr;
    DXF& d = *drawing;
    std::vector<double> M;
    for (const PileForceSample& p : in.points) M.push_back(p.M);
    chart(d, 0.0f, r.depths, M, M, "弯矩(kN-m)");
    float x = kPanel;
    for (const FaceBars& f : r.faces) {
        chart(d, x, r.depths, f.required, f.provided, f.name + "需要/实配 As(mm2)");
        x += kPanel;
    }
    const DepthScale scale{static_cast<float>(r.depths.back())};
    elevation(d, in, r, x, scale);
    slipLine(d, in, x + kColumn, scale);
    const SectionDesignInput& s = r.design.input;
    const float size = static_cast<float>(s.circle ? s.d : std::max(s.b, s.h));
    const float k = kSectionSize / size;
    const float sx = x + kColumn + 6500.0f;
    if (s.circle)
        circleSection(d, r, sx, 500.0f, k);
    else
        rectSection(d, r, sx, 500.0f, k);
    title(d, (sx + kSectionSize) / 2.0f, 0.0f, sx + kSectionSize);
    return drawing;
}
