#include "render/DrawingRenderer.h"

#include "render/AciPalette.h"

#include "platform/Drawing.h"
#include "support/TestSupport.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

#include <memory>

namespace {

// Painting texts needs a QGuiApplication; one for the whole test program.
void needGui() {
    static std::unique_ptr<QGuiApplication> app = makeOffscreenGuiApplication();
}

bool near(QColor a, QColor b, int tol = 40) {
    return std::abs(a.red() - b.red()) <= tol && std::abs(a.green() - b.green()) <= tol &&
           std::abs(a.blue() - b.blue()) <= tol;
}

// A 1000 × 500 drawing: a red frame line along the bottom, a blue circle at
// the right, a wide green polyline segment on the left.
DXF knownDrawing() {
    DXF d;
    d.SetCurColor(1);
    d.Draw_Line(0, 0, 1000, 0, 1.0f);
    d.Draw_Line(0, 500, 1000, 500, 1.0f);
    d.SetCurColor(5);
    d.Draw_Circle(800, 250, 100, 1.0f);
    d.SetCurColor(3);
    d.Draw_Pline(200, 100, 200, 400, 80, 80, 1.0f);
    return d;
}

}  // namespace

TEST(DrawingRenderer, PictureKeepsTheDrawingsProportions) {
    DXF d = knownDrawing();
    RenderOptions o;
    o.maxWidth = 800;
    o.maxHeight = 800;
    EXPECT_EQ(pictureSize(d, o), QSize(800, 400));
    o.maxWidth = 300;
    EXPECT_EQ(pictureSize(d, o), QSize(300, 150));
    DXF empty;
    EXPECT_EQ(pictureSize(empty, o), QSize(300, 800));
}

TEST(DrawingRenderer, EntitiesArePaintedWhereTheyLieInTheirColours) {
    needGui();
    DXF d = knownDrawing();
    RenderOptions o;
    o.maxWidth = 1000;
    o.maxHeight = 1000;
    o.marginRatio = 0.1;  // 50 px: the drawing fills 800 × 400 at scale 0.8 from (100, 50)
    o.antialias = false;
    QImage img = renderDrawingImage(d, o);
    ASSERT_EQ(img.size(), QSize(1000, 500));
    // y up in the drawing, down in the picture: y 500 is row 50, y 0 row 450.
    EXPECT_TRUE(near(img.pixelColor(500, 50), aciColor(1)));
    EXPECT_TRUE(near(img.pixelColor(500, 450), aciColor(1)));
    EXPECT_TRUE(near(img.pixelColor(500, 30), Qt::white));
    // The circle's rightmost point (900, 250) at (820, 250), its empty centre at (740, 250).
    EXPECT_TRUE(near(img.pixelColor(819, 250), aciColor(5)) ||
                near(img.pixelColor(820, 250), aciColor(5)));
    EXPECT_TRUE(near(img.pixelColor(740, 250), Qt::white));
    // The wide segment at x 200 is filled 80 units (64 px) across: 228 … 292.
    EXPECT_TRUE(near(img.pixelColor(260, 250), aciColor(3)));
    EXPECT_TRUE(near(img.pixelColor(235, 250), aciColor(3)));
    EXPECT_TRUE(near(img.pixelColor(220, 250), Qt::white));
}

TEST(DrawingRenderer, ChineseTextIsPaintedInTheCjkFont) {
    needGui();
    DXF d;
    d.Draw_Line(0, 0, 4000, 0, 1.0f);
    d.Draw_Text(0, 100, 1000, 0, "剩余下滑力");
    RenderOptions o;
    o.maxWidth = 400;
    o.maxHeight = 400;
    QImage img = renderDrawingImage(d, o);
    int ink = 0;
    for (int y = 0; y < img.height() - 20; ++y)
        for (int x = 0; x < img.width(); ++x) ink += img.pixelColor(x, y).lightness() < 128;
    EXPECT_GT(ink, 300);  // glyphs, not empty boxes of a font without CJK
}

TEST(DrawingRenderer, FilesArePngOrSvgByTheirExtension) {
    needGui();
    TempDir dir;
    DXF d = knownDrawing();
    d.Draw_Text(0, 0, 50, 0, "坡面线");
    ASSERT_EQ(renderDrawingToFile(d, dir.file("a.PNG")), 1);
    EXPECT_EQ(readBytes(dir.file("a.PNG")).substr(1, 3), "PNG");
    ASSERT_EQ(renderDrawingToFile(d, dir.file("a.svg")), 1);
    std::string svg = readBytes(dir.file("a.svg"));
    EXPECT_NE(svg.find("<svg"), std::string::npos);
    EXPECT_NE(svg.find("坡面线"), std::string::npos);
    EXPECT_EQ(renderDrawingToFile(d, dir.file("a.jpg")), 0);
    EXPECT_EQ(renderDrawingToFile(d, dir.file("no/dir/a.png")), 0);
}

TEST(DrawingRenderer, AnEmptyDrawingGivesABlankPicture) {
    needGui();
    DXF d;
    QImage img = renderDrawingImage(d, {});
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(img.pixelColor(10, 10), QColor(Qt::white));
}

TEST(AciPalette, StandardColoursAndTheirWhiteGroundVariants) {
    EXPECT_EQ(aciColor(1), QColor(255, 0, 0));
    EXPECT_EQ(aciColor(5), QColor(0, 0, 255));
    EXPECT_EQ(aciColor(7), QColor(0, 0, 0));
    EXPECT_EQ(aciColor(256), QColor(0, 0, 0));
    EXPECT_EQ(aciColor(-3), QColor(0, 0, 0));
    EXPECT_EQ(aciColor(10).hue(), 0);
    EXPECT_EQ(aciColor(250), QColor(51, 51, 51));
    EXPECT_GT(aciColor(2).red(), 150);  // yellow stays yellow, only darker
}

TEST(DrawingRenderer, DxfFilesBecomePicturesAndBadInputIsToldApart) {
    needGui();
    TempDir dir;
    DXF d = knownDrawing();
    ASSERT_EQ(d.Write_MemDxf_To_File(dir.file("a.dxf")), 1);
    EXPECT_EQ(renderDxfFile(dir.file("a.dxf"), dir.file("a.png")), RenderFileOutcome::Written);
    QImage img(QString::fromStdString(dir.file("a.png")));
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(img.size(), pictureSize(d, {}));
    EXPECT_EQ(renderDxfFile(dir.file("missing.dxf"), dir.file("b.png")),
              RenderFileOutcome::DrawingUnreadable);
    writeBytes(dir.file("junk.dxf"), "junk");
    EXPECT_EQ(renderDxfFile(dir.file("junk.dxf"), dir.file("b.png")),
              RenderFileOutcome::DrawingUnreadable);
    EXPECT_EQ(renderDxfFile(dir.file("a.dxf"), dir.file("a.bmp")),
              RenderFileOutcome::PictureNotWritten);
}
