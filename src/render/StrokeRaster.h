// Thin strokes drawn straight into an image, one pixel wide and without
// antialiasing: what the painter falls back on when so many strokes are
// visible that stroking each through QPainter would take many seconds. The
// image is then drawn over the device like any picture.
#pragma once

#include <QImage>
#include <QPointF>
#include <QRectF>

class StrokeRaster {
  public:
    // Pixels at most; more device area is drawn at a coarser resolution.
    static constexpr double kMaxPixels = 4096.0 * 4096.0;

    // An empty (transparent) raster over `area` of the device, `density`
    // raster pixels per device unit (held so that the raster stays within
    // kMaxPixels).
    StrokeRaster(const QRectF& area, double density);

    // A stroke between two device points; dotted strokes set every third pixel.
    void line(const QPointF& a, const QPointF& b, QRgb color, bool dotted);

    const QImage& image() const { return m_image; }
    const QRectF& area() const { return m_area; }

  private:
    QRectF m_area;
    double m_density = 1.0;
    QImage m_image;
};
