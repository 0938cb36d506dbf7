// How a drawing view moves: show all, zoom in and out, zoom about a point,
// pan, zoom to a rectangle, and back to the previous view. It keeps the
// transform, the views to go back to and the zoom limits; widgets only turn
// mouse and commands into these calls.
#pragma once

#include "render/ViewTransform.h"

#include "platform/DrawingEntities.h"

#include <vector>

class ViewNavigator {
  public:
    // What changed the view. Wheel steps and the moves of one drag are one
    // step of the history each: only the first of a run is remembered.
    enum class Step { Command, Wheel, Drag };

    static constexpr double kMarginRatio = 0.03;  // blank border when showing all
    static constexpr int kHistoryDepth = 50;

    // A new drawing extent: the history is dropped and the whole drawing is
    // shown. An empty extent leaves a view at scale 1.
    void setExtents(const CFRect& extents);
    // The extent of the same drawing after an edit of what it shows: the
    // view and its history stay while the new extent reaches no further than
    // the old extent or the area shown; an extent that grows past both, or
    // a drawing that was or becomes empty, is shown whole.
    void changeExtents(const CFRect& extents);
    // The widget's new size. While the view still shows everything as
    // "show all" left it, the drawing is fitted again; otherwise the centre
    // stays where it was.
    void setViewport(const QRectF& viewport);

    const ViewTransform& transform() const { return m_view; }
    bool showsAll() const { return m_showsAll; }
    int historySize() const { return static_cast<int>(m_history.size()); }

    void showAll();
    // By `factor` about a device point; held within the zoom limits.
    void zoomAbout(const QPointF& device, double factor, Step step = Step::Command);
    void zoomIn() { zoomAbout(m_view.viewport().center(), 2.0); }
    void zoomOut() { zoomAbout(m_view.viewport().center(), 0.5); }
    void panBy(const QPointF& deviceDelta, Step step = Step::Command);
    // The drawing area under a device rectangle fills the view. A rectangle
    // under 3 pixels a side is a click: it zooms in about its centre.
    void zoomToRect(const QRectF& device);
    // 1 when a previous view was restored, 0 when there was none.
    int previous();
    // The next wheel step or drag starts a history step of its own.
    void endGesture() { m_lastStep = Step::Command; }

  private:
    struct Saved {
        ViewTransform view;
        bool showsAll;
    };
    void remember(Step step);
    ViewTransform fittedView() const;
    // The factor held so that the scale stays within the zoom limits.
    double heldFactor(double factor) const;

    CFRect m_extents;
    ViewTransform m_view;
    bool m_showsAll = true;
    Step m_lastStep = Step::Command;
    std::vector<Saved> m_history;
};
