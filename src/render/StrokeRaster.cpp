// Lines are clipped to the raster first, so a stroke that runs far off the
// view costs only the pixels it covers on it, then walked with Bresenham's
// integer steps.
#include "render/StrokeRaster.h"

#include "render/SegmentClip.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

StrokeRaster::StrokeRaster(const QRectF& area, double density) : m_area(area) {
    double pixels = area.width() * area.height() * density * density;
    if (pixels > kMaxPixels) density *= std::sqrt(kMaxPixels / pixels);
    m_density = density;
    int w = std::max(1, static_cast<int>(std::ceil(area.width() * density)));
    int h = std::max(1, static_cast<int>(std::ceil(area.height() * density)));
    m_image = QImage(w, h, QImage::Format_ARGB32_Premultiplied);
    m_image.fill(Qt::transparent);
}

void StrokeRaster::line(const QPointF& a, const QPointF& b, QRgb color, bool dotted) {
    const int w = m_image.width(), h = m_image.height();
    QPointF p = (a - m_area.topLeft()) * m_density, q = (b - m_area.topLeft()) * m_density;
    if (!clipSegment(p, q, QRectF(-0.5, -0.5, w, h))) return;
    const double x0 = p.x(), y0 = p.y(), x1 = q.x(), y1 = q.y();
    int ix = std::clamp(static_cast<int>(std::lround(x0)), 0, w - 1);
    int iy = std::clamp(static_cast<int>(std::lround(y0)), 0, h - 1);
    const int ex = std::clamp(static_cast<int>(std::lround(x1)), 0, w - 1);
    const int ey = std::clamp(static_cast<int>(std::lround(y1)), 0, h - 1);
    const int dx = std::abs(ex - ix), dy = -std::abs(ey - iy);
    const int sx = ix < ex ? 1 : -1, sy = iy < ey ? 1 : -1;
    const qsizetype stride = m_image.bytesPerLine() / 4;
    QRgb* bits = reinterpret_cast<QRgb*>(m_image.bits());
    const QRgb opaque = qRgba(qRed(color), qGreen(color), qBlue(color), 255);
    for (int err = dx + dy, n = 0;; ++n) {
        if (!dotted || n % 3 == 0) bits[iy * stride + ix] = opaque;
        if (ix == ex && iy == ey) break;
        int e2 = 2 * err;
        if (e2 >= dy) err += dy, ix += sx;
        if (e2 <= dx) err += dx, iy += sy;
    }
}
