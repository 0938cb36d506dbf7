// Lines are clipped to the raster first (Liang–Barsky), so a stroke that
// runs far off the view costs only the pixels it covers on it, then walked
// with Bresenham's integer steps.
#include "render/StrokeRaster.h"

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

bool StrokeRaster::clip(double& x0, double& y0, double& x1, double& y1) const {
    if (!std::isfinite(x0 + y0 + x1 + y1)) return false;
    double t0 = 0.0, t1 = 1.0, dx = x1 - x0, dy = y1 - y0;
    const double xmax = m_image.width() - 0.5, ymax = m_image.height() - 0.5;
    // Each edge as p·t ≤ q: left, right, top, bottom.
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0 + 0.5, xmax - x0, y0 + 0.5, ymax - y0};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) return false;  // parallel to the edge and outside
            continue;
        }
        double t = q[i] / p[i];
        if (p[i] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
    }
    if (t0 > t1) return false;
    x1 = x0 + t1 * dx;
    y1 = y0 + t1 * dy;
    x0 += t0 * dx;
    y0 += t0 * dy;
    return true;
}

void StrokeRaster::line(const QPointF& a, const QPointF& b, QRgb color, bool dotted) {
    double x0 = (a.x() - m_area.left()) * m_density, y0 = (a.y() - m_area.top()) * m_density;
    double x1 = (b.x() - m_area.left()) * m_density, y1 = (b.y() - m_area.top()) * m_density;
    if (!clip(x0, y0, x1, y1)) return;
    const int w = m_image.width(), h = m_image.height();
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
