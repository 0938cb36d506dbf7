// The fast PNG writer: every picture must decode to exactly the pixels given,
// whatever the number of colours and whatever the width's remainder in the
// packed bytes of a small palette.
#include "render/QuickPng.h"

#include "render/DrawingRenderer.h"

#include <QByteArray>
#include <QGuiApplication>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// Colour k of a test picture: distinct for every k below 2^24.
QRgb colourOf(int k) {
    return qRgb((k * 37) & 0xFF, (k >> 3) & 0xFF, (k * 11 + (k >> 8) * 91) & 0xFF);
}

// Pixels cycle through `colours` colours in runs of three, row by row.
QImage picture(int width, int height, int colours) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, colourOf(((y * width + x) / 3) % colours));
    return image;
}

}  // namespace

TEST(QuickPng, DecodesToTheSamePixelsForEveryColourCountAndWidth) {
    static std::unique_ptr<QGuiApplication> app = makeOffscreenGuiApplication();
    struct Case {
        int colours, width;
    };
    // 1, 2, 4 and 8 bits a pixel at their limits, widths that leave 1 to 7
    // pixels in the last byte, and more colours than a palette holds.
    const Case cases[] = {{1, 1},  {2, 9},  {2, 16}, {3, 5},    {4, 7},    {5, 3},
                          {16, 3}, {16, 6}, {17, 1}, {256, 97}, {257, 97}, {4000, 31}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.colours << " colours, width " << c.width);
        QImage image = picture(c.width, 41, c.colours);
        image.setDotsPerMeterX(11811);
        image.setDotsPerMeterY(11811);
        std::string png = quickPngBytes(image);
        QImage back = QImage::fromData(QByteArray::fromStdString(png), "PNG");
        ASSERT_FALSE(back.isNull());
        EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32), image);
        EXPECT_EQ(back.dotsPerMeterX(), 11811);
        EXPECT_EQ(back.dotsPerMeterY(), 11811);
        if (c.colours > 256) continue;
        // The same picture handed over as its palette indexes.
        QImage indexes(c.width, 41, QImage::Format_Grayscale8);
        std::vector<QRgb> palette;
        for (int k = 0; k < c.colours; ++k) palette.push_back(colourOf(k));
        for (int y = 0; y < 41; ++y)
            for (int x = 0; x < c.width; ++x)
                indexes.scanLine(y)[x] = static_cast<uchar>(((y * c.width + x) / 3) % c.colours);
        // Row by row, and whole, packed over the indexes' own memory.
        QuickPngWriter writer(c.width, 41, 0, 0, palette), whole(c.width, 41, 0, 0, palette);
        ASSERT_TRUE(writer.addRows(indexes, 41));
        ASSERT_TRUE(whole.addIndexImage(indexes.copy()));
        for (QuickPngWriter* w : {&writer, &whole})
            EXPECT_EQ(QImage::fromData(QByteArray::fromStdString(w->finish()), "PNG")
                          .convertToFormat(QImage::Format_RGB32),
                      image);
        if (c.colours == 256) continue;
        // An index past the palette is refused.
        indexes.scanLine(40)[c.width - 1] = static_cast<uchar>(c.colours);
        QuickPngWriter refusing(c.width, 41, 0, 0, palette);
        EXPECT_FALSE(refusing.addRows(indexes, 41));
    }
    EXPECT_TRUE(quickPngBytes(QImage()).empty());
    // An image with transparency is written on its colours alone.
    QImage argb(4, 4, QImage::Format_ARGB32);
    argb.fill(qRgba(10, 20, 30, 255));
    EXPECT_EQ(QImage::fromData(QByteArray::fromStdString(quickPngBytes(argb)))
                  .convertToFormat(QImage::Format_RGB32)
                  .pixel(3, 3),
              qRgb(10, 20, 30));
}
