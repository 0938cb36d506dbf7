// The drawing view's arithmetic without a widget (the widget's test drives
// wheel, drag, rectangle and history): the limits, following "show all" on
// resize, the page of a print; culling that never loses a pixel; the stroke
// raster's clipping; a million lines painted whole and zoomed in.
#include "render/ViewNavigator.h"

#include "render/DrawingIndex.h"
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
#include <random>

namespace {

constexpr double kEps = 1e-9;

void expectNear(QPointF a, QPointF b, double tol = kEps) {
    EXPECT_NEAR(a.x(), b.x(), tol);
    EXPECT_NEAR(a.y(), b.y(), tol);
}

CFRect extent(float x1, float y1, float x2, float y2) {
    return CFRect{.p1 = {x1, y1}, .p2 = {x2, y2}, .empty = false};
}

// A 1000 × 500 drawing shown in an 800 × 600 view.
ViewNavigator navigator() {
    ViewNavigator n;
    n.setViewport(QRectF(0, 0, 800, 600));
    n.setExtents(extent(0, 0, 1000, 500));
    return n;
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

TEST(ViewNavigator, HoldsItsLimitsFollowsShowAllOnResizeAndFillsAPrintedPage) {
    ViewNavigator n = navigator();
    // Shown whole: 3 % margin of 600 = 18 px; width 764 / 1000 limits the scale.
    const double whole = n.transform().scale();
    EXPECT_DOUBLE_EQ(whole, 0.764);
    n.zoomToRect({390, 290, 2, 2});  // a click: twice about it
    EXPECT_DOUBLE_EQ(n.transform().scale(), 2 * whole);
    // Limits: 1e5 × and 1e-3 × the whole view; past them nothing is remembered.
    n.zoomAbout({0, 0}, 1e9);
    EXPECT_DOUBLE_EQ(n.transform().scale(), whole * 1e5);
    for (double f : {10.0, 0.0, -2.0, std::nan(""), std::numeric_limits<double>::infinity()})
        n.zoomAbout({0, 0}, f);
    EXPECT_EQ(n.historySize(), 2);
    n.zoomAbout({0, 0}, 1e-12);
    EXPECT_DOUBLE_EQ(n.transform().scale(), whole * 1e-3);
    // Back to the whole view after a resize: fitted to the new size.
    n.setViewport(QRectF(0, 0, 400, 300));
    while (n.previous()) {
    }
    EXPECT_TRUE(n.showsAll());
    EXPECT_DOUBLE_EQ(n.transform().scale(), 0.382);  // 382 / 1000
    for (int i = 0; i < 60; ++i) n.panBy({1, 0});
    EXPECT_EQ(n.historySize(), ViewNavigator::kHistoryDepth);

    // A page for a client 800 × 600: the smaller of the two ratios; a client
    // width of 0 counts as 10. The client's centre lands on the page's.
    const struct {
        QRectF client, page;
        double k;
    } cases[] = {{{0, 0, 800, 600}, {0, 0, 1600, 2400}, 2.0},
                 {{0, 0, 0, 600}, {0, 0, 50, 3000}, 5.0}};
    for (const auto& c : cases) {
        ViewTransform t(0.5, 30, 700, c.client), p = t.forPage(c.page);
        EXPECT_DOUBLE_EQ(p.scale(), 0.5 * c.k);
        QPointF centre = t.toWorld(c.client.center());
        expectNear(p.toDevice(centre.x(), centre.y()), c.page.center(), 1e-9);
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
    auto count = [&](QRgb c) {
        int n = 0;
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 10; ++x) n += r.image().pixel(x, y) == c;
        return n;
    };
    EXPECT_EQ(count(qRgb(255, 0, 0)), 10);
    EXPECT_EQ(count(qRgb(0, 0, 255)), 4);
}

// An edit of the sketch keeps the view the engineer chose unless the section
// grows past both its old extent and what is shown.
TEST(ViewNavigator, AnEditKeepsZoomAndPanUntilTheExtentGrowsPastTheView) {
    struct Case {
        const char* what;
        double zoom;  // about the view's centre before the edit; 1: show all
        QPointF pan;  // device pixels, before the edit
        CFRect after;
        bool kept;
    };
    // Show all puts 1000 × 500 in 800 × 600 with a margin: the view covers
    // about x -23..1023 and y -142..642 of the drawing.
    const Case cases[] = {
        {"whole, same extent", 1.0, {}, extent(0, 0, 1000, 500), true},
        {"whole, grown within the margin", 1.0, {}, extent(0, 0, 1020, 600), true},
        {"whole, grown past the view", 1.0, {}, extent(0, 0, 1500, 500), false},
        {"zoomed, shrunk", 4.0, {}, extent(100, 0, 900, 400), true},
        {"zoomed, grown outside the view", 4.0, {}, extent(0, 0, 1200, 500), false},
        {"panned, same extent", 1.0, {120, -40}, extent(0, 0, 1000, 500), true},
        {"zoomed, emptied", 4.0, {}, CFRect{}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ViewNavigator n = navigator();
        if (c.zoom != 1.0) n.zoomAbout(QPointF(400, 300), c.zoom);
        if (!c.pan.isNull()) n.panBy(c.pan);
        const ViewTransform before = n.transform();
        const int history = n.historySize();
        n.changeExtents(c.after);
        EXPECT_EQ(n.transform() == before, c.kept);
        if (c.kept) {
            EXPECT_EQ(n.historySize(), history);
        } else {
            EXPECT_TRUE(n.showsAll());
        }
    }
}

// A million lines, the size of the hostile drawing that once took most of a
// minute to paint: whole, they are painted through the stroke raster; zoomed
// in, only what the view meets is painted: raster or not, what was visible,
// ink where lines are. Its time is measured in bench/.
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
