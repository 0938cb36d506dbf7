#include "render/SegmentClip.h"

#include <algorithm>
#include <cmath>

bool clipSegment(QPointF& a, QPointF& b, const QRectF& box) {
    const double x0 = a.x(), y0 = a.y(), dx = b.x() - x0, dy = b.y() - y0;
    if (!std::isfinite(x0 + y0 + dx + dy)) return false;
    double t0 = 0.0, t1 = 1.0;
    // Each edge as p·t ≤ q: left, right, top, bottom.
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0 - box.left(), box.right() - x0, y0 - box.top(), box.bottom() - y0};
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
    b = QPointF(x0 + t1 * dx, y0 + t1 * dy);
    a = QPointF(x0 + t0 * dx, y0 + t0 * dy);
    return true;
}
