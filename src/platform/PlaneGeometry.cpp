// Plane-geometry primitives in float.
#include "platform/PlaneGeometry.h"

#include <algorithm>
#include <cmath>

float get_dist(float x1, float y1, float x2, float y2) {
    float dx = x2 - x1;
    float dy = y2 - y1;
    return std::sqrt(dx * dx + dy * dy);
}

float get_line_angle(float x1, float y1, float x2, float y2) {
    float a = std::atan2(y2 - y1, x2 - x1);
    if (a < 0.0f) a += 2.0f * kPi;
    // A tiny negative angle rounds up to 2π itself; the interval is half-open.
    if (a >= 2.0f * kPi) a = 0.0f;
    return a;
}

namespace {

// Whether v lies within [min(a, b) − tol, max(a, b) + tol].
bool inWidenedRange(float v, float a, float b, float tol) {
    return v >= std::min(a, b) - tol && v <= std::max(a, b) + tol;
}

}  // namespace

namespace {

// Whether the point at parameter t of a segment of direction (ax, ay) lies on
// it, or at most tol before its start or past its end.
bool onSegment(float t, float ax, float ay, float tol) {
    if (t >= 0.0f && t <= 1.0f) return true;
    float length = std::sqrt(ax * ax + ay * ay);
    return t < 0.0f ? -t * length <= tol : (t - 1.0f) * length <= tol;
}

}  // namespace

int JH_GetInterPoint_LineSection(float x1, float y1, float x2, float y2, float x3, float y3,
                                 float x4, float y4, float* x, float* y, float tolerance) {
    float ax = x2 - x1, ay = y2 - y1;
    float bx = x4 - x3, by = y4 - y3;
    float d = ax * by - ay * bx;
    if (d == 0.0f) return 0;
    // P = 1 + t·(2 − 1) = 3 + u·(4 − 3), solved by Cramer's rule.
    float cx = x3 - x1, cy = y3 - y1;
    float t = (cx * by - cy * bx) / d;
    if (!onSegment(t, ax, ay, tolerance)) return 0;
    float u = (cx * ay - cy * ax) / d;
    if (!onSegment(u, bx, by, tolerance)) return 0;
    float px = x1 + t * ax;
    float py = y1 + t * ay;
    if (!inWidenedRange(px, x1, x2, tolerance) || !inWidenedRange(py, y1, y2, tolerance) ||
        !inWidenedRange(px, x3, x4, tolerance) || !inWidenedRange(py, y3, y4, tolerance))
        return 0;
    *x = px;
    *y = py;
    return 1;
}

void rotate_coordinate(float angle, float* x, float* y) {
    float c = std::cos(angle);
    float s = std::sin(angle);
    float xr = *x * c + *y * s;
    float yr = -*x * s + *y * c;
    *x = xr;
    *y = yr;
}

void shift_coordinate(float dx, float dy, float* x, float* y) {
    *x -= dx;
    *y -= dy;
}
