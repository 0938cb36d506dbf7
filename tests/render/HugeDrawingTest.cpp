// A million lines, the size of the hostile drawing that once took most of a
// minute to paint: whole, they are painted through the stroke raster; zoomed
// in, only what the view meets is painted. The figures are printed; the test
// holds the behaviour (raster or not, what was visible, ink where lines are).
#include "render/DrawingPainter.h"

#include "render/DrawingIndex.h"
#include "render/DrawingRenderer.h"  // makeOffscreenGuiApplication

#include "platform/Drawing.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <random>
#include <sys/resource.h>

namespace {

// Prints the wall and processor time since `start` and the peak memory.
void report(const char* what, std::chrono::steady_clock::time_point start, std::clock_t cpu) {
    double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    std::printf("%-34s %6.2f s wall %6.2f s cpu, peak %ld MB\n", what, wall,
                double(std::clock() - cpu) / CLOCKS_PER_SEC, u.ru_maxrss / 1024);
}

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
    auto start = std::chrono::steady_clock::now();
    std::clock_t cpu = std::clock();
    DrawingIndex index(*d);
    QImage view(1200, 800, QImage::Format_RGB32);
    view.fill(Qt::white);
    QPainter painter(&view);
    ViewTransform fit = ViewTransform::fitted(d->GetFRect(), QRectF(view.rect()));
    PaintSummary all = paintDrawing(painter, *d, fit, {}, &index);
    report("indexed and shown whole, 1200x800", start, cpu);
    EXPECT_TRUE(all.dense);
    EXPECT_EQ(all.visible, 1'000'000u);
    EXPECT_GT(inkRows(view), view.height() * 9 / 10);

    // A corner 0.5 m across: a thousand lines or so cross it, painted normally.
    ViewTransform zoomed = fit;
    zoomed.zoomAbout(fit.toDevice(1000, 1000), 200.0);
    view.fill(Qt::white);
    start = std::chrono::steady_clock::now();
    cpu = std::clock();
    PaintSummary few = paintDrawing(painter, *d, zoomed, {}, &index);
    report("repainted zoomed 200 times", start, cpu);
    std::printf("visible when zoomed: %zu entities\n", few.visible);
    EXPECT_FALSE(few.dense);
    EXPECT_LT(few.visible, 50'000u);
    EXPECT_GT(inkRows(view), 0);
}
