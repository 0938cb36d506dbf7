// The designs' drawings, made with the shared drawing and the diagrams.
#include "designs/DesignDrawings.h"

#include "data/CSlideCalcData.h"
#include "diagrams/DepthChart.h"
#include "diagrams/ThrustCurve.h"
#include "platform/Drawing.h"
#include "platform/DrawingShelf.h"
#include "platform/WorkContext.h"

#include <string>

namespace {
// The volume panel stands below the thrust panel, both sharing the x axis.
constexpr float kVolumePanelY = -8000.0f;
}  // namespace

int WriteDesignSweepDrawing(const WorkContext& ctx, const CSlideCalcData& item,
                            const SweepChart& chart) {
    const std::string name = item.GetDxfFileName(1);
    if (name.empty()) return 0;
    // Texts in the "HZ" style, like every other result drawing.
    std::unique_ptr<DXF> drawing = NewResultDrawing(true);
    if (!drawing) return 0;
    DrawDesignCurve(0.0f, 0.0f, drawing.get(), chart.n, chart.values, chart.thrusts, chart.xLabel,
                    chart.thrustLabel);
    DrawDesignCurve(0.0f, kVolumePanelY, drawing.get(), chart.n, chart.values, chart.volumes,
                    chart.xLabel, chart.volumeLabel);
    return writeResultDrawing(std::move(drawing), ctx.G_strWorkPath, name, ctx.drawings);
}

int WriteBestTrialSketch(const WorkContext& ctx, const CSlideCalcData& item,
                         const CSlideCalcData& best) {
    const std::string name = item.GetDxfFileName(0);
    if (name.empty()) return 0;
    return writeResultDrawing(MakeSketchDrawing(best), ctx.G_strWorkPath, name, ctx.drawings);
}
