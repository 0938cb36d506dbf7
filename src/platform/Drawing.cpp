// Extents and insertion of the in-memory drawing.
#include "platform/Drawing.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace {

// (x, y) turned by `degrees` counter-clockwise about the origin.
CFPoint rotatePoint(CFPoint p, float degrees) {
    if (degrees == 0.0f) return p;
    double a = degrees * M_PI / 180.0;
    double c = std::cos(a), s = std::sin(a);
    return {static_cast<float>(p.x * c - p.y * s), static_cast<float>(p.x * s + p.y * c)};
}

void extend(CFRect& r, float x, float y) {
    if (r.empty) {
        r.p1 = r.p2 = {x, y};
        r.empty = false;
        return;
    }
    r.p1.x = std::min(r.p1.x, x);
    r.p1.y = std::min(r.p1.y, y);
    r.p2.x = std::max(r.p2.x, x);
    r.p2.y = std::max(r.p2.y, y);
}

}  // namespace

std::unique_ptr<DXF> NewMemDxf() {
    try {
        return std::make_unique<DXF>();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

int DXF::New_MemDxf() {
    resetDrawing();
    return 1;
}

CFRect DXF::GetFRect() const {
    CFRect r;
    for (const DrawEntity& e : entities()) {
        switch (e.kind) {
            case DrawEntityKind::Line:
            case DrawEntityKind::Polyline:
                for (const DrawVertex& v : e.points) extend(r, v.x, v.y);
                break;
            case DrawEntityKind::Circle:
                extend(r, e.points[0].x - e.radius, e.points[0].y - e.radius);
                extend(r, e.points[0].x + e.radius, e.points[0].y + e.radius);
                break;
            case DrawEntityKind::Text: {
                float w = GetTextWidth(e.text, e.height, e.widthFactor, e.style.c_str());
                const float corners[4][2] = {{0, 0}, {w, 0}, {w, e.height}, {0, e.height}};
                for (const auto& c : corners) {
                    CFPoint p = rotatePoint({c[0], c[1]}, e.angle);
                    extend(r, e.points[0].x + p.x, e.points[0].y + p.y);
                }
                break;
            }
        }
    }
    return r;
}

int DXF::InsertDxf(const DXF* other, float x, float y, float angle, float sx, float sy) {
    if (!other || other == this) return 0;
    for (const DrawTextStyle& s : other->styles())
        if (!findStyle(s.name)) addStyle(s);
    for (const DrawLineType& t : other->lineTypes())
        if (!findLineType(t.name)) addLineType(t);
    float widthScale = std::fabs(sx);
    for (DrawEntity e : other->entities()) {
        for (DrawVertex& v : e.points) {
            CFPoint p = rotatePoint({v.x * sx, v.y * sy}, angle);
            v.x = x + p.x;
            v.y = y + p.y;
            v.startWidth *= widthScale;
            v.endWidth *= widthScale;
        }
        e.radius *= widthScale;
        if (e.kind == DrawEntityKind::Text) {
            e.height *= std::fabs(sy);
            if (sy != 0.0f) e.widthFactor *= widthScale / std::fabs(sy);
            e.angle += angle;
        }
        addEntity(std::move(e));
    }
    return 1;
}
