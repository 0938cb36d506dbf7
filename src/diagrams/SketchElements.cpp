// Elements found again from the record the way the sketch layers draw them.
#include "diagrams/SketchElements.h"

#include "data/CSlideCalcData.h"
#include "diagrams/Sketch.h"
#include "engine/SectionGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace {

using Kind = SketchElementKind;

struct BuiltLine {
    float xs[kMaxLinePoints];
    float ys[kMaxLinePoints];
    int n = 0;
};

CFPoint mm(float x, float y) {
    return {kSketchMm * x, kSketchMm * y};
}

std::string named(const char* fmt, int a, int b = 0) {
    char buf[64];
    std::snprintf(buf, sizeof buf, fmt, a, b);
    return buf;
}

const char* segmentName(Kind kind) {
    switch (kind) {
        case Kind::SlipSegment:
            return "滑面第%d段";
        case Kind::SlopeSegment:
            return "坡面第%d段";
        case Kind::WaterSegment:
            return "水面第%d段";
        default:
            return "刷方线第%d段";
    }
}

void addSegments(const CSlideCalcData& item, LineKind line, Kind kind,
                 std::vector<SketchElement>& out) {
    BuiltLine b;
    b.n = BuildLine(item, line, b.xs, b.ys);
    for (int i = 0; i + 1 < b.n; ++i)
        out.push_back({kind,
                       i,
                       {mm(b.xs[i], b.ys[i]), mm(b.xs[i + 1], b.ys[i + 1])},
                       named(segmentName(kind), i + 1)});
}

// Each load as the arrows the sketch draws: the vertical shaft, the point of
// action, the horizontal shaft.
void addLoads(const CSlideCalcData& item, std::vector<SketchElement>& out) {
    BuiltLine b;
    b.n = BuildLine(item, Slope, b.xs, b.ys);
    float scale = SketchLoadScale(item);
    int ordinal = 0;
    for (int s = 0; s < std::clamp(item.slopeCount, 0, CSlideCalcData::kMaxSegments); ++s) {
        const CLineSeg& seg = item.slope[s];
        for (int l = 0; l < std::clamp(seg.loadCount, 0, CLineSeg::kMaxLoads); ++l, ++ordinal) {
            if (s + 1 >= b.n) continue;
            CFPoint p = SketchLoadPoint(seg, b.xs[s], b.ys[s], seg.loads[l]);
            const CPointLoad& load = seg.loads[l];
            out.push_back({Kind::PointLoad,
                           ordinal,
                           {{p.x, p.y + load.py * scale}, p, {p.x + load.px * scale, p.y}},
                           named("集中力%d-%d", s + 1, l + 1)});
        }
    }
}

void addCountermeasures(const CSlideCalcData& item, std::vector<SketchElement>& out) {
    if (!SketchShowsCountermeasures(item)) return;
    if (item.usePiles) {
        for (int r = 0; r < SketchPileRows(item); ++r) {
            float x, ySlip, freeLength, embedDepth;
            PileRowPosition(item, r, &x, &ySlip, &freeLength, &embedDepth);
            out.push_back({Kind::PileRow,
                           r,
                           {mm(x, ySlip - embedDepth), mm(x, ySlip + freeLength)},
                           named("第%d排桩", r + 1)});
        }
    }
    if (item.useBerm) {
        BuiltLine b;
        b.n = BuildLine(item, Berm, b.xs, b.ys);
        SketchElement berm{Kind::Berm, 0, {}, "反压码"};
        for (int i = 0; i < b.n; ++i) berm.points.push_back(mm(b.xs[i], b.ys[i]));
        out.push_back(std::move(berm));
    }
    if (item.useUnload) addSegments(item, Unload, Kind::UnloadSegment, out);
}

double distanceToSegment(CFPoint p, CFPoint a, CFPoint b) {
    double dx = b.x - a.x, dy = b.y - a.y;
    double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

double distanceToPath(CFPoint p, const std::vector<CFPoint>& path) {
    if (path.size() == 1) return std::hypot(p.x - path[0].x, p.y - path[0].y);
    double best = std::numeric_limits<double>::infinity();
    for (size_t i = 0; i + 1 < path.size(); ++i)
        best = std::min(best, distanceToSegment(p, path[i], path[i + 1]));
    return best;
}

}  // namespace

std::vector<SketchElement> SketchLineElements(const CSlideCalcData& item, SketchElementKind kind) {
    std::vector<SketchElement> out;
    if (kind == Kind::SlipSegment) addSegments(item, Slip, kind, out);
    if (kind == Kind::SlopeSegment) addSegments(item, Slope, kind, out);
    if (kind == Kind::WaterSegment) addSegments(item, Water, kind, out);
    return out;
}

std::vector<SketchElement> SketchElements(const CSlideCalcData& item) {
    std::vector<SketchElement> out;
    addSegments(item, Slip, Kind::SlipSegment, out);
    addSegments(item, Slope, Kind::SlopeSegment, out);
    addSegments(item, Water, Kind::WaterSegment, out);
    addCountermeasures(item, out);
    addLoads(item, out);
    return out;
}

std::optional<SketchElement> HitSketchElement(const std::vector<SketchElement>& elements, CFPoint p,
                                              float tolerance) {
    const SketchElement* hit = nullptr;
    double best = tolerance;
    for (const SketchElement& e : elements) {
        double d = distanceToPath(p, e.points);
        if (d <= best) {
            best = d;
            hit = &e;
        }
    }
    if (!hit) return std::nullopt;
    return *hit;
}

std::string DescribeSketchElement(const SketchElement& e) {
    if (e.points.empty()) return e.name;
    char buf[160];
    if (e.kind == Kind::PointLoad) {
        const CFPoint& p = e.points[1];
        std::snprintf(buf, sizeof buf, "  作用点(%.3f, %.3f)", p.x / kSketchMm, p.y / kSketchMm);
    } else {
        const CFPoint& a = e.points.front();
        const CFPoint& b = e.points.back();
        std::snprintf(buf, sizeof buf, "  起点(%.3f, %.3f)  终点(%.3f, %.3f)", a.x / kSketchMm,
                      a.y / kSketchMm, b.x / kSketchMm, b.y / kSketchMm);
    }
    return e.name + buf;
}

std::string DescribeSketchPoint(double xMetres, double yMetres) {
    char buf[80];
    std::snprintf(buf, sizeof buf, "X=%.3f  Y=%.3f", xMetres, yMetres);
    return buf;
}
