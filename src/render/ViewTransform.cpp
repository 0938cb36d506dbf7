// The arithmetic of fitting stays in the order pictures have always used, so
// a fitted picture paints the same pixels as before the view could zoom.
#include "render/ViewTransform.h"

#include "platform/DrawingEntities.h"
#include "platform/PictureFrame.h"

#include <algorithm>

ViewTransform ViewTransform::fitted(const CFRect& r, const QRectF& target) {
    PictureFit fit = fitExtent(r, target.left(), target.top(), target.width(), target.height());
    return {fit.scale, fit.ox, fit.oy, target};
}

QPointF ViewTransform::toWorld(const QPointF& device) const {
    return {(device.x() - m_ox) / m_scale, (m_oy - device.y()) / m_scale};
}

QRectF ViewTransform::toWorld(const QRectF& device) const {
    QPointF a = toWorld(device.topLeft()), b = toWorld(device.bottomRight());
    return QRectF(QPointF(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                  QPointF(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
}

void ViewTransform::zoomAbout(const QPointF& device, double factor) {
    // The point's offset from the origin scales; the point itself stays.
    m_ox = device.x() - (device.x() - m_ox) * factor;
    m_oy = device.y() - (device.y() - m_oy) * factor;
    m_scale *= factor;
}

void ViewTransform::panBy(const QPointF& d) {
    m_ox += d.x();
    m_oy += d.y();
}

void ViewTransform::setViewport(const QRectF& viewport) {
    QPointF delta = viewport.center() - m_viewport.center();
    m_viewport = viewport;
    panBy(delta);
}

ViewTransform ViewTransform::forPage(const QRectF& page) const {
    double cw = m_viewport.width() > 0.0 ? m_viewport.width() : 10.0;
    double ch = m_viewport.height() > 0.0 ? m_viewport.height() : 10.0;
    double k = std::min(page.width() / cw, page.height() / ch);
    QPointF centre = toWorld(m_viewport.center());
    double scale = m_scale * k;
    return {scale, page.center().x() - centre.x() * scale, page.center().y() + centre.y() * scale,
            page};
}
