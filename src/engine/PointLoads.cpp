// Point loads of the slope surface, located once per pass.
#include "engine/PointLoads.h"

#include "data/CSlideCalcData.h"
#include "platform/PlaneGeometry.h"

#include <algorithm>
#include <cmath>

PointLoadList::PointLoadList(const CSlideCalcData& item) {
    int segs = std::clamp(item.slopeCount, 0, CSlideCalcData::kMaxSegments);
    float startX = item.slopeX0;
    m_loads.reserve(static_cast<size_t>(segs) * CLineSeg::kMaxLoads);
    for (int s = 0; s < segs; ++s) {
        const CLineSeg& seg = item.slope[s];
        int loads = std::clamp(seg.loadCount, 0, CLineSeg::kMaxLoads);
        if (loads == 0) {
            startX += seg.dx;
            continue;
        }
        float length = get_dist(0.0f, 0.0f, seg.dx, seg.dy);
        float theta = get_line_angle(0.0f, 0.0f, seg.dx, seg.dy);
        for (int i = 0; i < loads; ++i) {
            const CPointLoad& load = seg.loads[i];
            if (!(0.0f <= load.dist && load.dist <= length)) continue;
            // xL = x_start + cos θ · dist
            float xL = startX + std::cos(theta) * load.dist;
            if (!m_loads.empty() && !(m_loads.back().x <= xL)) m_ascending = false;
            m_loads.push_back(Load{xL, load.px, load.py});
        }
        startX += seg.dx;
    }
}

void PointLoadList::sum(float x1, float x2, float* px, float* py, int* cursor) const {
    *px = 0.0f;
    *py = 0.0f;
    auto first = m_loads.begin();
    auto end = m_loads.end();
    if (m_ascending && !std::isnan(x1) && !std::isnan(x2)) {
        // Loads further than this from both x1 and x2 pass neither test.
        double lo = std::min(x1, x2) - 1e-3;
        double hi = std::max(x1, x2) + 1e-3;
        if (cursor) {
            // The first load not left of lo, walked to from the previous block's.
            int i = std::clamp(*cursor, 0, size());
            while (i > 0 && !(m_loads[i - 1].x < lo)) --i;
            while (i < size() && m_loads[i].x < lo) ++i;
            *cursor = i;
            first = m_loads.begin() + i;
        } else {
            first = std::partition_point(m_loads.begin(), end,
                                         [lo](const Load& l) { return l.x < lo; });
        }
        // Loads beyond hi end the walk: none further on can belong.
        for (auto l = first; l != end && l->x <= hi; ++l) {
            if (std::fabs(l->x - x2) < 1e-5 || (x1 < l->x && l->x < x2)) {
                *px += l->px;
                *py += l->py;
            }
        }
        return;
    }
    for (auto l = first; l != end; ++l) {
        // A load on the left boundary belongs to the block below.
        if (std::fabs(l->x - x2) < 1e-5 || (x1 < l->x && l->x < x2)) {
            *px += l->px;
            *py += l->py;
        }
    }
}
