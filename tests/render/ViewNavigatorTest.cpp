// The drawing view's arithmetic without a widget: zooming, panning, the
// history, the limits, following "show all" on resize, and the page of a
// print; culling that never loses a pixel; the stroke raster's clipping.
#include "render/ViewNavigator.h"

#include "render/AciPalette.h"
#include "render/DrawingPainter.h"
#include "render/DrawingRenderer.h"
#include "render/StrokeRaster.h"

#include "platform/Drawing.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr double kEps = 1e-9;

void expectNear(QPointF a, QPointF b, double tol = kEps) {
    EXPECT_NEAR(a.x(), b.x(), tol);
    EXPECT_NEAR(a.y(), b.y(), tol);
}

// A 1000 × 500 drawing shown in an 800 × 600 view.
ViewNavigator navigator() {
    ViewNavigator n;
    n.setViewport(QRectF(0, 0, 800, 600));
    CFRect r;
    r.p2 = {1000.0f, 500.0f};
    r.empty = false;
    n.setExtents(r);
    return n;
}

}  // namespace

TEST(ViewNavigator, ZoomsPansGoesBackAndHoldsItsLimits) {
    ViewNavigator n = navigator();
    // Shown whole: 3 % margin of 600 = 18 px; width 764 / 1000 limits the scale.
    const ViewTransform whole = n.transform();
    EXPECT_DOUBLE_EQ(whole.scale(), 0.764);
    expectNear(whole.toDevice(500, 250), {400, 300});

    n.zoomAbout({100, 50}, 3.0, ViewNavigator::Step::Wheel);
    n.zoomAbout({100, 50}, 2.0, ViewNavigator::Step::Wheel);
    expectNear(n.transform().toDevice(whole.toWorld({100, 50}).x(), whole.toWorld({100, 50}).y()),
               {100, 50});
    n.panBy({10, 0}, ViewNavigator::Step::Drag);
    n.panBy({5, -4}, ViewNavigator::Step::Drag);
    n.endGesture();
    n.panBy({1, 1}, ViewNavigator::Step::Drag);
    n.zoomToRect({390, 290, 2, 2});  // a click: twice about it
    EXPECT_EQ(n.historySize(), 4);   // wheel run, first drag, second drag, click
    EXPECT_FALSE(n.showsAll());

    // Limits: 1e5 × and 1e-3 × the whole view; past them nothing is remembered.
    n.zoomAbout({0, 0}, 1e9);
    EXPECT_DOUBLE_EQ(n.transform().scale(), whole.scale() * 1e5);
    int depth = n.historySize();
    for (double f : {10.0, 0.0, -2.0, std::numeric_limits<double>::quiet_NaN(),
                     std::numeric_limits<double>::infinity()})
        n.zoomAbout({0, 0}, f);
    EXPECT_EQ(n.historySize(), depth);
    n.zoomAbout({0, 0}, 1e-12);
    EXPECT_DOUBLE_EQ(n.transform().scale(), whole.scale() * 1e-3);

    // Back to the whole view step by step; a resize on the way keeps centres.
    n.setViewport(QRectF(0, 0, 400, 300));
    while (n.previous()) {
    }
    EXPECT_TRUE(n.showsAll());
    EXPECT_EQ(n.transform().viewport(), QRectF(0, 0, 400, 300));
    EXPECT_DOUBLE_EQ(n.transform().scale(), 0.382);  // fitted again: 382 / 1000
    EXPECT_EQ(n.previous(), 0);
    for (int i = 0; i < 60; ++i) n.panBy({1, 0});
    EXPECT_EQ(n.historySize(), ViewNavigator::kHistoryDepth);
}

TEST(ViewNavigator, ARectangleFillsTheViewAndAPrintFillsThePage) {
    ViewNavigator n = navigator();
    n.zoomToRect(QRectF(QPointF(500, 200), QPointF(300, 100)));  // 200 × 100, any corner order
    const ViewTransform& v = n.transform();
    EXPECT_DOUBLE_EQ(v.scale(), 0.764 * 4);
    QPointF mid = navigator().transform().toWorld(QPointF(400, 150));
    expectNear(v.toDevice(mid.x(), mid.y()), {400, 300}, 1e-9);

    // Page 1600 × 2400 for a client 800 × 600: ratios 2 and 4, the smaller wins.
    const struct {
        QRectF client, page;
        double k;
    } cases[] = {{{0, 0, 800, 600}, {0, 0, 1600, 2400}, 2.0},
                 {{0, 0, 800, 600}, {0, 0, 4000, 1200}, 2.0},
                 {{0, 0, 0, 600}, {0, 0, 50, 3000}, 5.0}};  // a width of 0 counts as 10
    for (const auto& c : cases) {
        ViewTransform t(0.5, 30, 700, c.client);
        ViewTransform p = t.forPage(c.page);
        EXPECT_DOUBLE_EQ(p.scale(), 0.5 * c.k);
        QPointF centre = t.toWorld(c.client.center());
        expectNear(p.toDevice(centre.x(), centre.y()), c.page.center(), 1e-9);
        EXPECT_EQ(p.viewport(), c.page);
    }
}

TEST(DrawingPainter, CullingNeverLosesAPixelAndDenseStrokesStayOnTheRaster) {
    static auto app = makeOffscreenGuiApplication();
    // Entities just outside a zoomed view that still reach into it: a wide
    // polyline, a circle, long and rotated texts (at a text ratio of 3).
    DXF d;
    d.Draw_Line(0, 0, 1000, 1000, 1.0f);
    d.SetCurColor(3);
    d.Draw_Pline(-30, 200, -30, 800, 80, 80, 1.0f);
    d.SetCurColor(5);
    d.Draw_Circle(500, -150, 200, 1.0f);
    d.SetCurColor(1);
    d.Draw_Text(-400, 450, 30, 0, "剩余下滑力曲线 left of the view");
    d.Draw_Text(500, 1060, 25, 270, "旋转的文字");
    d.Draw_Text(1100, 300, 10, 180, "倒置");
    ViewTransform view(1.0, 0, 1000, QRectF(0, 0, 1000, 1000));
    ViewTransform uncut(1.0, 0, 1000, QRectF(-1e6, -1e6, 2e6, 2e6));  // same mapping
    PaintOptions o;
    o.textRatio = 3.0;
    QImage a(1000, 1000, QImage::Format_RGB32), b = a;
    a.fill(Qt::white);
    b.fill(Qt::white);
    QPainter pa(&a), pb(&b);
    PaintSummary cut = paintDrawing(pa, d, view, o);
    EXPECT_EQ(paintDrawing(pb, d, uncut, o).visible, 6u);
    pa.end();
    pb.end();
    EXPECT_EQ(a, b);
    EXPECT_EQ(cut.visible, 6u);
    QPainter pc(&a);
    EXPECT_EQ(
        paintDrawing(pc, d, ViewTransform(1.0, 0, 1000, QRectF(5000, 5000, 50, 50)), o).visible,
        0u);

    // The raster draws the part of a stroke that crosses it, however far its
    // ends lie; NaN ends draw nothing; dotted strokes every third pixel.
    StrokeRaster r(QRectF(100, 100, 10, 10), 1.0);
    r.line({-1e12, 105}, {1e12, 105}, qRgb(255, 0, 0), false);
    r.line({105, 0}, {105, std::nan("")}, qRgb(0, 0, 255), false);
    r.line({100, 108}, {109, 108}, qRgb(0, 0, 255), true);
    int red = 0, blue = 0;
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            red += r.image().pixel(x, y) == qRgb(255, 0, 0);
            blue += r.image().pixel(x, y) == qRgb(0, 0, 255);
        }
    EXPECT_EQ(red, 10);
    EXPECT_EQ(blue, 4);
}

TEST(DrawingPainter, DeepZoomsStillPaintWideSegmentsCirclesAndLines) {
    static auto app = makeOffscreenGuiApplication();
    // 100 000 px a drawing unit, the deepest zoom: the ends lie 5·10⁷ px
    // away, the circle's radius is 4·10⁷ px. Along the middle column: the
    // circle's bottom, a wide polyline and a line, each slightly slanted.
    DXF d;
    d.SetCurColor(1);
    d.Draw_Pline(0, -0.05f, 1000, 0.05f, 0.0004f, 0.0004f, 1.0f);  // rows 80..120
    d.SetCurColor(5);
    d.Draw_Circle(500, 400.0006f, 400, 1.0f);  // bottom near row 40
    d.SetCurColor(3);
    d.Draw_Line(0, -0.0506f, 1000, 0.0494f, 1.0f);  // row 160
    ViewTransform view(1e5, 100 - 500 * 1e5, 100, QRectF(0, 0, 200, 200));
    QImage image(200, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    PaintOptions exact;
    exact.antialias = false;
    paintDrawing(painter, d, view, exact);
    painter.end();
    auto rowsOf = [&](QColor c) {
        std::vector<int> rows;
        for (int y = 0; y < 200; ++y)
            if (image.pixel(100, y) == c.rgb()) rows.push_back(y);
        return rows;
    };
    std::vector<int> red = rowsOf(aciColor(1)), blue = rowsOf(aciColor(5)),
                     green = rowsOf(aciColor(3));
    ASSERT_FALSE(red.empty() || blue.empty() || green.empty());
    EXPECT_NEAR(red.front(), 80, 2);
    EXPECT_NEAR(red.back(), 120, 2);
    EXPECT_NEAR(blue.front(), 40, 4);
    EXPECT_NEAR(green.front(), 160, 4);
}
