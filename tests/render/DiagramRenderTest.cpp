// Pictures of the worked example's sketch and thrust curve and of a pile-force
// chart, held against reference renderings in tests/render/data. The match is
// tolerant: every dark or coloured pixel must have a pixel of the same kind
// within 2 pixels in the other picture, so font hinting and antialiasing may
// differ while a missing or misplaced layer fails. A mismatch leaves
// <name>.out.png beside the reference.
#include "render/DrawingRenderer.h"

#include "diagrams/PileForceDiagrams.h"
#include "diagrams/ThrustCurve.h"

#include "data/CSlideCalcData.h"
#include "platform/Drawing.h"

#include <QGuiApplication>
#include <QImage>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

namespace {

void needGui() {
    static std::unique_ptr<QGuiApplication> app = makeOffscreenGuiApplication();
}

const std::string kData = std::string(TALVOR_TEST_DATA) + "/";

// Classes of ink: 0 ground, 1 dark (black, grey), 2.. by dominant hue.
int inkClass(QRgb c) {
    int r = qRed(c), g = qGreen(c), b = qBlue(c);
    int hi = std::max({r, g, b}), lo = std::min({r, g, b});
    if (lo > 200) return 0;
    if (hi - lo < 60) return hi < 200 ? 1 : 0;
    int hue = QColor(c).hsvHue();
    return 2 + ((hue + 30) % 360) / 60;
}

// Share of the ink pixels of `a` with no pixel of the same class within 2
// pixels in `b`.
double unmatchedShare(const QImage& a, const QImage& b) {
    long ink = 0, lost = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            int k = inkClass(a.pixel(x, y));
            if (k == 0) continue;
            ++ink;
            bool found = false;
            for (int dy = -2; dy <= 2 && !found; ++dy)
                for (int dx = -2; dx <= 2 && !found; ++dx) {
                    int u = x + dx, v = y + dy;
                    found = b.valid(u, v) && inkClass(b.pixel(u, v)) == k;
                }
            lost += !found;
        }
    }
    return ink ? static_cast<double>(lost) / ink : 0.0;
}

// Both directions: nothing drawn lost, nothing drawn added.
double difference(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return 1.0;
    QImage x = a.convertToFormat(QImage::Format_RGB32), y = b.convertToFormat(QImage::Format_RGB32);
    return std::max(unmatchedShare(x, y), unmatchedShare(y, x));
}

constexpr double kTolerance = 0.02;

RenderOptions referenceSize() {
    RenderOptions o;
    o.maxWidth = 900;
    o.maxHeight = 700;
    return o;
}

void expectMatchesReference(const DXF& d, const std::string& name) {
    needGui();
    QImage now = renderDrawingImage(d, referenceSize());
    QImage ref(QString::fromStdString(kData + name + ".png"));
    if (ref.isNull()) now.save(QString::fromStdString(kData + name + ".out.png"));
    ASSERT_FALSE(ref.isNull()) << "no reference " << name << ".png";
    double diff = difference(now, ref);
    if (diff > kTolerance) now.save(QString::fromStdString(kData + name + ".out.png"));
    EXPECT_LE(diff, kTolerance) << name << ": " << diff * 100 << " % of the ink differs";
}

// The forces entering the blocks of the worked example (kN/m), fixed here so
// that the picture tests the drawing and not the thrust pass.
CSlideCalcData workedExample() {
    CSlideCalcData item;
    const float r[] = {0.0f, 67.46f, 287.94f, 458.33f, 1136.81f, 1225.24f, 263.40f};
    item.residualThrust.fill(0.0f);
    for (int i = 0; i < 7; ++i) item.residualThrust[i] = r[i];
    return item;
}

std::vector<PileForcePoint> pilePoints() {
    std::vector<PileForcePoint> pts;
    for (int i = 0; i <= 40; ++i) {
        PileForcePoint p;
        float z = 0.25f * i;
        p.depth = z;
        p.momentA = p.momentB = -(z < 4 ? 10 * z * z : 160 - 30 * (z - 4) * (z - 4));
        p.shearA = p.shearB = -(z < 4 ? 20 * z : 80 - 60 * (z - 4));
        p.displacement = -(30 - 4 * z);
        p.soilReaction = -(z < 4 ? 0 : 50 * std::sin(z - 4));
        pts.push_back(p);
    }
    return pts;
}

}  // namespace

TEST(DiagramRender, SketchOfTheWorkedExampleMatchesItsReference) {
    std::unique_ptr<DXF> sketch = MakeSketchDrawing(workedExample());
    expectMatchesReference(*sketch, "sketch");
}

TEST(DiagramRender, SketchWithPointLoadsShowsTheirArrows) {
    CSlideCalcData item = workedExample();
    item.slope[2].loadCount = 2;
    item.slope[2].loads[0] = {1.0f, 0.0f, 600.0f};
    item.slope[2].loads[1] = {2.0f, 300.0f, 300.0f};
    item.slope[5].loadCount = 1;
    item.slope[5].loads[0] = {0.5f, -200.0f, -150.0f};
    std::unique_ptr<DXF> sketch = MakeSketchDrawing(item);
    expectMatchesReference(*sketch, "sketch_loads");
}

TEST(DiagramRender, ThrustCurveWithTheSketchMatchesItsReference) {
    CSlideCalcData item = workedExample();
    std::unique_ptr<DXF> sketch = MakeSketchDrawing(item);
    std::unique_ptr<DXF> curve = MakeThrustCurveDrawing(item, *sketch);
    expectMatchesReference(*curve, "thrust_curve");
}

TEST(DiagramRender, PileForceChartMatchesItsReference) {
    std::unique_ptr<DXF> d = NewResultDrawing(false);
    DrawPileForcePanels(*d, pilePoints(), 4.0f);
    expectMatchesReference(*d, "pile_forces");
}

TEST(DiagramRender, ABrokenSketchFailsTheComparison) {
    needGui();
    CSlideCalcData item = workedExample();
    QImage good = renderDrawingImage(*MakeSketchDrawing(item), referenceSize());
    // Without the water line, with the piles moved and with the slip layer recoloured.
    CSlideCalcData dry = item;
    dry.waterCount = 0;
    dry.waterX0 = 0.0f;
    dry.waterY0 = -1.0f;
    EXPECT_GT(difference(renderDrawingImage(*MakeSketchDrawing(dry), referenceSize()), good),
              kTolerance);
    CSlideCalcData moved = item;
    moved.pileX = 9.0f;
    EXPECT_GT(difference(renderDrawingImage(*MakeSketchDrawing(moved), referenceSize()), good),
              kTolerance / 2);
    std::unique_ptr<DXF> recoloured = MakeSketchDrawing(item);
    for (DrawEntity& e : recoloured->entities())
        if (e.color == 7) e.color = 1;
    EXPECT_GT(difference(renderDrawingImage(*recoloured, referenceSize()), good), kTolerance);
}
