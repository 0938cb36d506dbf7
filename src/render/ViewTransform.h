// Where a drawing lands on a device: a uniform scale and an offset, y up in
// the drawing and down on the device, over a viewport rectangle. The drawing
// view zooms and pans by changing it; pictures and printing derive one from it.
#pragma once

#include <QPointF>
#include <QRectF>

struct CFRect;

class ViewTransform {
  public:
    // Device = (ox + x·s, oy − y·s). The default maps nothing useful: s = 1
    // over an empty viewport.
    ViewTransform() = default;
    ViewTransform(double scale, double ox, double oy, const QRectF& viewport)
        : m_scale(scale), m_ox(ox), m_oy(oy), m_viewport(viewport) {}

    // The extent fitted into `target` and centred in it; `target` becomes the
    // viewport. An empty or degenerate extent is taken as at least 1e-6 wide.
    static ViewTransform fitted(const CFRect& extents, const QRectF& target);

    double scale() const { return m_scale; }  // device units per drawing unit
    const QRectF& viewport() const { return m_viewport; }

    QPointF toDevice(double x, double y) const { return {m_ox + x * m_scale, m_oy - y * m_scale}; }
    QPointF toWorld(const QPointF& device) const;
    // The drawing area a device rectangle covers, as a rectangle whose top()
    // is its smallest y (the drawing's y axis points up).
    QRectF toWorld(const QRectF& device) const;
    QRectF visibleWorld() const { return toWorld(m_viewport); }

    // The drawing point under `device` stays where it is.
    void zoomAbout(const QPointF& device, double factor);
    void panBy(const QPointF& deviceDelta);
    // A new viewport; the drawing point at the viewport's centre stays at its centre.
    void setViewport(const QRectF& viewport);

    // The same view on a page: the scale is multiplied by the smaller of
    // page width / client width and page height / client height (a client
    // side of 0 counts as 10), so what the client shows fills the page
    // without distortion; the client's centre lands on the page's centre.
    ViewTransform forPage(const QRectF& page) const;

    bool operator==(const ViewTransform&) const = default;

  private:
    double m_scale = 1.0;
    double m_ox = 0.0, m_oy = 0.0;  // device position of the drawing's origin
    QRectF m_viewport;
};
