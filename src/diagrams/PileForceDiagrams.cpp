// The pile internal-force diagrams: four depth charts side by side, 5000
// drawing units apart, under the title "内力计算结果".
#include "diagrams/PileForceDiagrams.h"

#include "diagrams/DepthChart.h"
#include "diagrams/ThrustCurve.h"

#include "data/CSlideCalcData.h"
#include "platform/Drawing.h"
#include "platform/DrawingShelf.h"
#include "platform/TextEncoding.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMaxPoints = 1000;

enum class Panel { Moment, Shear, Displacement, SoilReaction };

// The two series of a panel, negated from the solver's convention.
void fillSeries(Panel panel, const std::vector<PileForcePoint>& pts, int n, float slipDepth,
                std::vector<float>& s1, std::vector<float>& s2) {
    for (int i = 0; i < n; ++i) {
        const PileForcePoint& p = pts[i];
        switch (panel) {
            case Panel::Moment:
                s1[i] = -p.momentA;
                s2[i] = -p.momentB;
                break;
            case Panel::Shear:
                s1[i] = -p.shearA;
                s2[i] = -p.shearB;
                break;
            case Panel::Displacement:
                s1[i] = s2[i] = -p.displacement;
                break;
            case Panel::SoilReaction:
                s1[i] = s2[i] = -p.soilReaction;
                // The point on the slip surface carries no reaction in the first series.
                if (std::fabs(p.depth - slipDepth) < 0.01f) s1[i] = 0.0f;
                break;
        }
    }
}

}  // namespace

int DrawPileForcePanels(DXF& drawing, const std::vector<PileForcePoint>& points, float slipDepth) {
    int n = std::min(static_cast<int>(points.size()), kMaxPoints);
    struct PanelInfo {
        Panel panel;
        const char* title;
    };
    static constexpr PanelInfo kPanels[] = {{Panel::Moment, "弯矩(kN-m)"},
                                            {Panel::Shear, "剪力(kN)"},
                                            {Panel::Displacement, "位移(mm)"},
                                            {Panel::SoilReaction, "土反力(kPa)"}};
    std::vector<float> depth(n), s1(n), s2(n);
    float x = 0.0f;
    for (const PanelInfo& info : kPanels) {
        // DrawDepthChart negates the depths in place: refilled for every panel.
        for (int i = 0; i < n; ++i) depth[i] = points[i].depth;
        fillSeries(info.panel, points, n, slipDepth, s1, s2);
        DrawDepthChart(&drawing, x, 0.0f, n, depth.data(), s1.data(), s2.data(), info.title);
        x += 5000.0f;
    }
    drawing.Push_ENV();
    drawing.SetCurStyle("HZ");
    drawing.SetCurColor("2");
    std::string title = "内力计算结果";
    // width taken as 0.6 × 400 per byte of the text
    float width = 0.6f * 400.0f * static_cast<float>(gbkWidth(title));
    drawing.Draw_Text(10000.0f - width / 2.0f, -1200.0f, 400.0f, 0.0f, title);
    drawing.Draw_Line(5000.0f, -1400.0f, 15000.0f, -1400.0f, 1.0f);
    drawing.Pop_ENV();
    return 1;
}

int DrawPileForceDiagrams(const CSlideCalcData& item, const std::vector<PileForcePoint>& points,
                          float slipDepth, const std::string& workPath, DrawingShelf* shelf) {
    std::unique_ptr<DXF> drawing = NewResultDrawing(false);
    if (!drawing) return 0;
    DrawPileForcePanels(*drawing, points, slipDepth);
    return writeResultDrawing(std::move(drawing), workPath, item.GetDxfFileName(1), shelf);
}
