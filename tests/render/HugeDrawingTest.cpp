// A million lines, the size of the hostile drawing that once took most of a
// minute to paint: whole, they are painted through the stroke raster; zoomed
// in, only what the view meets is painted: raster or not, what was visible,
// ink where lines are. Its time is measured in bench/.
#include "render/DrawingPainter.h"

#include "render/DrawingIndex.h"
#include "render/DrawingRenderer.h"  // makeOffscreenGuiApplication

#include "platform/Drawing.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <random>

namespace {

// Long lines criss-crossing a 100 m square (mm) in random directions: every
// line visible when shown whole, most of them crossing any zoomed view too.
std::unique_ptr<DXF> millionLines() {
    auto d = NewMemDxf();
    d->reserveEntities(1'000'000);
    std::mt19937 rng(20);
    std::uniform_real_distribution<float> u(0.0f, 100000.0f);
    for (int i = 0; i < 1'000'000; ++i) {
        d->SetCurColor(1 + i % 7);
        d->Draw_Line(u(rng), u(rng), u(rng), u(rng), 1.0f);
    }
    return d;
}

int inkRows(const QImage& image) {
    int rows = 0;
    for (int y = 0; y < image.height(); ++y)
        rows += image.pixel(image.width() / 2, y) != qRgb(255, 255, 255);
    return rows;
}

}  // namespace

TEST(HugeDrawing, AMillionLinesPaintWholeThroughTheRasterAndZoomedOnlyWhereVisible) {
    static auto app = makeOffscreenGuiApplication();
    std::unique_ptr<DXF> d = millionLines();
    DrawingIndex index(*d);
    QImage view(1200, 800, QImage::Format_RGB32);
    view.fill(Qt::white);
    QPainter painter(&view);
    ViewTransform fit = ViewTransform::fitted(d->GetFRect(), QRectF(view.rect()));
    PaintSummary all = paintDrawing(painter, *d, fit, {}, &index);
    EXPECT_TRUE(all.dense);
    EXPECT_EQ(all.visible, 1'000'000u);
    EXPECT_GT(inkRows(view), view.height() * 9 / 10);

    // A corner 0.5 m across: a thousand lines or so cross it, painted normally.
    ViewTransform zoomed = fit;
    zoomed.zoomAbout(fit.toDevice(1000, 1000), 200.0);
    view.fill(Qt::white);
    PaintSummary few = paintDrawing(painter, *d, zoomed, {}, &index);
    EXPECT_FALSE(few.dense);
    EXPECT_LT(few.visible, 50'000u);
    EXPECT_GT(inkRows(view), 0);
}
