// Zoom limits are relative to the scale that shows the whole drawing: a
// thousandth of it out (the drawing a dot) and 1e5 times in, about where the
// float coordinates of a drawing stop resolving a pixel.
#include "render/ViewNavigator.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kMinZoom = 1e-3;
constexpr double kMaxZoom = 1e5;
constexpr double kClickSize = 3.0;

}  // namespace

void ViewNavigator::setExtents(const CFRect& extents) {
    m_extents = extents;
    m_history.clear();
    m_lastStep = Step::Command;
    m_showsAll = true;
    m_view = fittedView();
}

void ViewNavigator::changeExtents(const CFRect& extents) {
    if (m_extents.empty || extents.empty) return setExtents(extents);
    const QRectF shown = m_view.visibleWorld();
    const bool within = extents.p1.x >= std::min<double>(m_extents.p1.x, shown.left()) &&
                        extents.p1.y >= std::min<double>(m_extents.p1.y, shown.top()) &&
                        extents.p2.x <= std::max<double>(m_extents.p2.x, shown.right()) &&
                        extents.p2.y <= std::max<double>(m_extents.p2.y, shown.bottom());
    if (!within) return setExtents(extents);
    m_extents = extents;
}

void ViewNavigator::setViewport(const QRectF& viewport) {
    m_view.setViewport(viewport);
    if (m_showsAll) m_view = fittedView();
}

ViewTransform ViewNavigator::fittedView() const {
    const QRectF& vp = m_view.viewport();
    if (m_extents.empty) return {1.0, vp.center().x(), vp.center().y(), vp};
    double m = std::min(vp.width(), vp.height()) * kMarginRatio;
    QRectF inner = vp.adjusted(m, m, -m, -m);
    ViewTransform t = ViewTransform::fitted(m_extents, inner);
    t.setViewport(vp);  // the margin's centre is the viewport's: nothing moves
    return t;
}

void ViewNavigator::remember(Step step) {
    bool continues = step != Step::Command && step == m_lastStep;
    m_lastStep = step;
    if (continues) return;
    if (static_cast<int>(m_history.size()) == kHistoryDepth) m_history.erase(m_history.begin());
    m_history.push_back({m_view, m_showsAll});
}

void ViewNavigator::showAll() {
    remember(Step::Command);
    m_view = fittedView();
    m_showsAll = true;
}

double ViewNavigator::heldFactor(double factor) const {
    if (!(factor > 0.0) || !std::isfinite(factor)) return 1.0;
    double fit = fittedView().scale();
    double wanted = std::clamp(m_view.scale() * factor, fit * kMinZoom, fit * kMaxZoom);
    return wanted / m_view.scale();
}

void ViewNavigator::zoomAbout(const QPointF& device, double factor, Step step) {
    factor = heldFactor(factor);
    if (factor == 1.0) return;  // at a limit: nothing to remember
    remember(step);
    m_view.zoomAbout(device, factor);
    m_showsAll = false;
}

void ViewNavigator::panBy(const QPointF& deviceDelta, Step step) {
    if (deviceDelta.isNull()) return;
    remember(step);
    m_view.panBy(deviceDelta);
    m_showsAll = false;
}

void ViewNavigator::zoomToRect(const QRectF& device) {
    QRectF r = device.normalized();
    if (r.width() < kClickSize && r.height() < kClickSize) {
        zoomAbout(r.center(), 2.0);
        return;
    }
    const QRectF& vp = m_view.viewport();
    double factor =
        std::min(vp.width() / std::max(r.width(), 1.0), vp.height() / std::max(r.height(), 1.0));
    // Bring the rectangle's centre to the view's centre, then zoom about it:
    // one step back undoes both.
    remember(Step::Command);
    m_view.panBy(vp.center() - r.center());
    m_view.zoomAbout(vp.center(), heldFactor(factor));
    m_showsAll = false;
}

int ViewNavigator::previous() {
    if (m_history.empty()) return 0;
    Saved s = m_history.back();
    m_history.pop_back();
    QRectF vp = m_view.viewport();
    m_view = s.view;
    m_showsAll = s.showsAll;
    setViewport(vp);
    m_lastStep = Step::Command;
    return 1;
}
