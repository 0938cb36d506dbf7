// The sketch of the largest section (100-segment lines, 1000 point loads,
// piles, berm and unloading) drawn and painted into a picture, as the input
// view repaints it on every edit; and the same drawing written as DXF.
#include "diagrams/Sketch.h"
#include "diagrams/ThrustCurve.h"

#include "MaximalItem.h"

#include "data/CSlideCalcData.h"
#include "platform/Drawing.h"
#include "render/DrawingIndex.h"
#include "render/DrawingPainter.h"
#include "render/DrawingRenderer.h"

#include <QGuiApplication>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

void needGui() {
    static std::unique_ptr<QGuiApplication> app = makeOffscreenGuiApplication();
}

CSlideCalcData largestSection() {
    CSlideCalcData item;
    item.slipCount = item.slopeCount = item.waterCount = CSlideCalcData::kMaxSegments;
    item.slopeX0 = 0.0f;
    item.waterX0 = 2.0f;
    item.waterY0 = 0.5f;
    for (int i = 0; i < CSlideCalcData::kMaxSegments; ++i) {
        item.slip[i].dx = 1.0f;
        item.slip[i].dy = 0.3f + 0.004f * i;
        item.slope[i].dx = 1.05f;
        item.slope[i].dy = 0.5f + 0.004f * i;
        item.slope[i].loadCount = CLineSeg::kMaxLoads;
        for (int l = 0; l < CLineSeg::kMaxLoads; ++l)
            item.slope[i].loads[l] = {0.1f * l, 10.0f + l, 100.0f + 5.0f * l};
        item.water[i].dx = 1.0f;
        item.water[i].dy = 0.35f;
    }
    item.usePiles = item.useBerm = item.useUnload = 1;
    item.pileRows = 3;
    item.pileX = 20.0f;
    item.checkTarget = 0;
    item.unloadY = 60.0f;
    return item;
}

void BM_SketchDrawn(benchmark::State& state) {
    CSlideCalcData item = largestSection();
    for (auto _ : state) {
        std::unique_ptr<DXF> d = MakeSketchDrawing(item);
        benchmark::DoNotOptimize(d->entities().data());
    }
}
BENCHMARK(BM_SketchDrawn)->Unit(benchmark::kMillisecond);

void BM_SketchDrawnIntoAPicture(benchmark::State& state) {
    needGui();
    CSlideCalcData item = largestSection();
    RenderOptions options;  // 1600 × 1200 at most
    for (auto _ : state) {
        std::unique_ptr<DXF> d = MakeSketchDrawing(item);
        QImage image = renderDrawingImage(*d, options);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_SketchDrawnIntoAPicture)->Unit(benchmark::kMillisecond);

void BM_SketchWrittenAsDxf(benchmark::State& state) {
    std::unique_ptr<DXF> d = MakeSketchDrawing(largestSection());
    for (auto _ : state) {
        std::string bytes = d->formatDxf();
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(BM_SketchWrittenAsDxf)->Unit(benchmark::kMillisecond);

// One repaint of the drawing view showing the maximal item's sketch: the
// white ground and the painter through the view's index, shown whole
// (argument 1) and zoomed 8 times about its middle (argument 8), in a view
// pane of 1200 × 800 on a backing store of the screen's format.
void BM_MaximalSketchRepaintedInTheView(benchmark::State& state) {
    needGui();
    std::unique_ptr<DXF> d = MakeSketchDrawing(MaximalItem());
    DrawingIndex index(*d);
    QImage pane(1200, 800, QImage::Format_ARGB32_Premultiplied);
    ViewTransform view = ViewTransform::fitted(d->GetFRect(), QRectF(pane.rect()));
    view.zoomAbout(QRectF(pane.rect()).center(), static_cast<double>(state.range(0)));
    PaintSummary summary;
    for (auto _ : state) {
        QPainter painter(&pane);
        painter.fillRect(pane.rect(), Qt::white);
        summary = paintDrawing(painter, *d, view, {}, &index);
    }
    state.counters["entities"] = static_cast<double>(summary.visible);
}
BENCHMARK(BM_MaximalSketchRepaintedInTheView)->Arg(1)->Arg(8)->Unit(benchmark::kMillisecond);

}  // namespace
