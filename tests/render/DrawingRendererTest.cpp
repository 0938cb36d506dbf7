// Pictures of drawings: where entities land, CJK texts, the files, and the
// worked example's diagrams held against reference renderings in
// tests/render/data. That match is tolerant: every dark or coloured pixel must
// have a pixel of the same kind within 2 pixels in the other picture, so font
// hinting and antialiasing may differ while a missing or misplaced layer
// fails. A mismatch leaves <name>.out.png beside the reference.
#include "render/DrawingRenderer.h"

#include "render/AciPalette.h"

#include "platform/AciColour.h"

#include "data/CSlideCalcData.h"
#include "diagrams/PileForceDiagrams.h"
#include "diagrams/ThrustCurve.h"
#include "platform/Drawing.h"
#include "support/TestSupport.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

namespace {

// Painting texts needs a QGuiApplication; one for the whole test program.
class Render : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { static auto app = makeOffscreenGuiApplication(); }
};

bool near(QColor a, QColor b) {
    return std::abs(a.red() - b.red()) <= 40 && std::abs(a.green() - b.green()) <= 40 &&
           std::abs(a.blue() - b.blue()) <= 40;
}

// Classes of ink: 0 ground, 1 dark (black, grey), 2.. by dominant hue.
int inkClass(QRgb c) {
    int hi = std::max({qRed(c), qGreen(c), qBlue(c)}),
        lo = std::min({qRed(c), qGreen(c), qBlue(c)});
    if (lo > 200) return 0;
    if (hi - lo < 60) return hi < 200 ? 1 : 0;
    return 2 + ((QColor(c).hsvHue() + 30) % 360) / 60;
}

// The larger share, either way, of ink pixels with no pixel of their class
// within 2 pixels in the other picture: nothing drawn lost, nothing added.
double difference(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return 1.0;
    double worst = 0.0;
    for (const auto& [p, q] : {std::pair(a, b), std::pair(b, a)}) {
        long ink = 0, lost = 0;
        for (int y = 0; y < p.height(); ++y)
            for (int x = 0; x < p.width(); ++x) {
                int k = inkClass(p.pixel(x, y));
                bool found = k == 0;
                for (int dy = -2; dy <= 2 && !found; ++dy)
                    for (int dx = -2; dx <= 2 && !found; ++dx)
                        found = q.valid(x + dx, y + dy) && inkClass(q.pixel(x + dx, y + dy)) == k;
                ink += k != 0;
                lost += !found;
            }
        worst = std::max(worst, ink ? double(lost) / ink : 0.0);
    }
    return worst;
}

constexpr double kTolerance = 0.02;

QImage referenceRender(const DXF& d) {
    return renderDrawingImage(d, {900, 700}).convertToFormat(QImage::Format_RGB32);
}

// The forces entering the blocks of the worked example (kN/m), fixed here so
// that the picture tests the drawing and not the thrust pass.
CSlideCalcData workedExample() {
    CSlideCalcData item;
    item.residualThrust = {0.0f, 67.46f, 287.94f, 458.33f, 1136.81f, 1225.24f, 263.40f};
    return item;
}

std::unique_ptr<DXF> pileForceChart() {
    std::vector<PileForcePoint> pts(41);
    for (int i = 0; i <= 40; ++i) {
        float z = 0.25f * i, m = z < 4 ? 10 * z * z : 160 - 30 * (z - 4) * (z - 4);
        float v = z < 4 ? 20 * z : 80 - 60 * (z - 4);
        pts[i] = {z, -(z < 4 ? 0 : 50 * std::sin(z - 4)), -v, -v, -m, -m, -(30 - 4 * z)};
    }
    std::unique_ptr<DXF> d = NewResultDrawing(false);
    DrawPileForcePanels(*d, pts, 4.0f);
    return d;
}

}  // namespace

TEST_F(Render, DiagramsOfTheWorkedExampleMatchTheirReferenceRenderingsAndBrokenOnesDoNot) {
    CSlideCalcData loads = workedExample();
    loads.slope[2].loadCount = 2;
    loads.slope[2].loads[0] = {1.0f, 0.0f, 600.0f};
    loads.slope[2].loads[1] = {2.0f, 300.0f, 300.0f};
    loads.slope[5].loadCount = 1;
    loads.slope[5].loads[0] = {0.5f, -200.0f, -150.0f};
    const std::pair<const char*, std::unique_ptr<DXF>> cases[] = {
        {"sketch", MakeSketchDrawing(workedExample())},
        {"sketch_loads", MakeSketchDrawing(loads)},
        {"thrust_curve",
         MakeThrustCurveDrawing(workedExample(), *MakeSketchDrawing(workedExample()))},
        {"pile_forces", pileForceChart()}};
    for (const auto& [name, drawing] : cases) {
        const std::string base = std::string(TALVOR_TEST_DATA) + "/" + name;
        QImage now = referenceRender(*drawing), ref(QString::fromStdString(base + ".png"));
        double diff = difference(now, ref.convertToFormat(QImage::Format_RGB32));
        if (ref.isNull() || diff > kTolerance) now.save(QString::fromStdString(base + ".out.png"));
        EXPECT_LE(diff, kTolerance) << name << ": " << diff * 100 << " % of the ink differs";
    }
    // Without the water line, with the piles moved or with the slip layer
    // recoloured the sketch fails the comparison.
    CSlideCalcData dry = workedExample(), moved = workedExample();
    dry.waterCount = 0;
    dry.waterX0 = 0.0f;
    dry.waterY0 = -1.0f;
    moved.pileX = 9.0f;
    std::unique_ptr<DXF> recoloured = MakeSketchDrawing(workedExample());
    for (DrawEntity& e : recoloured->entities())
        if (e.color == 7) e.color = 1;
    QImage good = referenceRender(*cases[0].second);
    EXPECT_GT(difference(referenceRender(*MakeSketchDrawing(dry)), good), kTolerance);
    EXPECT_GT(difference(referenceRender(*MakeSketchDrawing(moved)), good), kTolerance / 2);
    EXPECT_GT(difference(referenceRender(*recoloured), good), kTolerance);
}

TEST_F(Render, PicturesKeepProportionsPaintEntitiesAndTextsWhereTheyLieAndBecomeFiles) {
    // 1000 × 500: red lines along the bottom and top, a blue circle at the
    // right, a wide green polyline segment on the left.
    DXF d, empty;
    d.SetCurColor(1);
    d.Draw_Line(0, 0, 1000, 0, 1.0f);
    d.Draw_Line(0, 500, 1000, 500, 1.0f);
    d.SetCurColor(5);
    d.Draw_Circle(800, 250, 100, 1.0f);
    d.SetCurColor(3);
    d.Draw_Pline(200, 100, 200, 400, 80, 80, 1.0f);
    EXPECT_EQ(pictureSize(d, {800, 800}), QSize(800, 400));
    EXPECT_EQ(pictureSize(d, {300, 800}), QSize(300, 150));
    EXPECT_EQ(pictureSize(empty, {300, 800}), QSize(300, 800));
    EXPECT_EQ(renderDrawingImage(empty, {}).pixelColor(10, 10), QColor(Qt::white));
    // Chinese text in a CJK font: glyphs, not empty boxes of a font without it.
    empty.Draw_Line(0, 0, 4000, 0, 1.0f);
    empty.Draw_Text(0, 100, 1000, 0, "剩余下滑力");
    QImage text = renderDrawingImage(empty, {400, 400});
    int ink = 0;
    for (int y = 0; y < text.height() - 20; ++y)
        for (int x = 0; x < text.width(); ++x) ink += text.pixelColor(x, y).lightness() < 128;
    EXPECT_GT(ink, 300);
    // A 50 px margin: the drawing fills 800 × 400 at scale 0.8 from (100, 50);
    // y up in the drawing, down in the picture: y 500 is row 50, y 0 row 450;
    // the circle's rightmost point (900, 250) at (820, 250), its empty centre
    // at (740, 250); the wide segment at x 200 filled 64 px across: 228 … 292.
    QImage img = renderDrawingImage(d, {1000, 1000, 0.1, false});
    ASSERT_EQ(img.size(), QSize(1000, 500));
    const QColor red = aciColor(1), green = aciColor(3), white = Qt::white;
    const std::tuple<int, int, QColor> probes[] = {
        {500, 50, red},    {500, 450, red},   {500, 30, white}, {740, 250, white},
        {260, 250, green}, {235, 250, green}, {220, 250, white}};
    for (const auto& [x, y, c] : probes)
        EXPECT_TRUE(near(img.pixelColor(x, y), c)) << x << " " << y;
    EXPECT_TRUE(near(img.pixelColor(819, 250), aciColor(5)) ||
                near(img.pixelColor(820, 250), aciColor(5)));
    // Files as talvor-cli render writes them: PNG or SVG by the name's
    // extension, whatever its case; nothing else, and nowhere unwritable.
    TempDir dir;
    d.Draw_Text(0, 0, 50, 0, "坡面线");
    ASSERT_EQ(d.Write_MemDxf_To_File(dir.file("a.dxf")), 1);
    using O = RenderFileOutcome;
    const std::pair<const char*, O> files[] = {{"a.PNG", O::Written},
                                               {"a.svg", O::Written},
                                               {"a.jpg", O::PictureNotWritten},
                                               {"a.bmp", O::PictureNotWritten},
                                               {"no/dir/a.png", O::PictureNotWritten}};
    for (auto [name, outcome] : files)
        EXPECT_EQ(renderDxfFile(dir.file("a.dxf"), dir.file(name)), outcome) << name;
    EXPECT_EQ(QImage(QString::fromStdString(dir.file("a.PNG"))).size(), pictureSize(d, {}));
    EXPECT_NE(readBytes(dir.file("a.svg")).find("坡面线"), std::string::npos);
    EXPECT_EQ(renderDxfFile(dir.file("missing.dxf"), dir.file("c.png")), O::DrawingUnreadable);
    // On the white ground white and "by layer" turn black, yellow only darker.
    for (int c : {7, 256, -3}) EXPECT_EQ(aciColor(c), QColor(0, 0, 0)) << c;
    EXPECT_EQ(red, QColor(255, 0, 0));
    EXPECT_GT(aciColor(2).red(), 150);
}

// The core's colours (the web edition's SVG) are the ones Qt paints with.
TEST(AciColour, HsvConversionRoundsAsQtDoes) {
    for (int h = 0; h < 360; ++h)
        for (int s : {0, 1, 127, 128, 254, 255})
            for (int v : {0, 76, 127, 153, 204, 255}) {
                QColor qt = QColor::fromHsv(h, s, v);
                Rgb c = hsvToRgb(h, s, v);
                ASSERT_EQ((Rgb{static_cast<uint8_t>(qt.red()), static_cast<uint8_t>(qt.green()),
                               static_cast<uint8_t>(qt.blue())}),
                          c)
                    << h << " " << s << " " << v;
            }
}

// The report's picture is the drawing painted without antialiasing, pixel
// for pixel, written as a palette; its texts, filled from outlines, stand
// where the view's smooth texts stand: lines, turned texts of several sizes,
// a dotted line, a tapering wide segment and a circle in several colours.
TEST_F(Render, TheReportPictureIsTheAliasedPictureAsAPaletteWithTextsInPlace) {
    DXF d;
    for (int k = 0; k < 6; ++k) {
        d.SetCurColor(1 + k);
        d.Draw_Line(0, 0, 1000 - 150 * k, 1500, 1.0f + k % 2);
        d.Draw_Text(100 * k, 200 * k + 31, 40 + 20 * k, 30 * k, "桩顶 X=12.5");
    }
    d.SetCurColor(8);
    d.Draw_Pline(50, 1400, 900, 60, 30, 5, 1.0f);
    d.Add_Default_LineType();
    d.SetCurLType(kDotLineType);
    d.Draw_Line(0, 700, 1000, 720, 1.0f);
    d.Draw_Circle(500, 640, 200, 2.0f);
    RenderOptions options{900, 1400, 0.03, false};
    options.hairline = 3.0;
    std::string png = renderAliasedDrawingPng(d, options, 11811);
    QImage picture = QImage::fromData(QByteArray::fromStdString(png), "PNG");
    EXPECT_EQ(picture.format(), QImage::Format_Indexed8);
    EXPECT_EQ(picture.dotsPerMeterX(), 11811);
    picture.convertTo(QImage::Format_RGB32);
    EXPECT_EQ(picture, renderDrawingImage(d, options));
    options.antialias = true;
    EXPECT_LT(difference(picture, renderDrawingImage(d, options)), kTolerance);
    EXPECT_TRUE(renderAliasedDrawingPng(DXF(), options, 11811).empty());
}
