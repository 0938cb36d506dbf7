// How every back end of the in-memory drawing (the painter, the SVG writer)
// takes an entity apart: a line as its two points, a polyline as its segments
// (the closing one included), a circle, a text. An entity without points
// gives nothing.
#pragma once

#include "platform/DrawingEntities.h"

#include <cstddef>

// out has line(e, a, b), segment(e, a, b) (a carries the segment's widths),
// circle(e) and text(e).
template <typename Out>
void walkEntity(const DrawEntity& e, Out& out) {
    if (e.points.empty()) return;
    switch (e.kind) {
        case DrawEntityKind::Line:
            if (e.points.size() >= 2) out.line(e, e.points[0], e.points[1]);
            break;
        case DrawEntityKind::Polyline: {
            const size_t n = e.points.size();
            const size_t segments = e.closed ? n : n - 1;
            for (size_t i = 0; i < segments; ++i)
                out.segment(e, e.points[i], e.points[(i + 1) % n]);
            break;
        }
        case DrawEntityKind::Circle:
            out.circle(e);
            break;
        case DrawEntityKind::Text:
            out.text(e);
            break;
    }
}
