// Point loads of the slope surface, located once per pass.
#include "engine/PointLoads.h"

#include "data/CSlideCalcData.h"
#include "platform/PlaneGeometry.h"

#include <algorithm>
#include <cmath>

PointLoadList::PointLoadList(const CSlideCalcData& item) {
    static_assert(kMaxLoads == CSlideCalcData::kMaxSegments * CLineSeg::kMaxLoads);
    int segs = std::clamp(item.slopeCount, 0, CSlideCalcData::kMaxSegments);
    float startX = item.slopeX0;
    for (int s = 0; s < segs; ++s) {
        const CLineSeg& seg = item.slope[s];
        int loads = std::clamp(seg.loadCount, 0, CLineSeg::kMaxLoads);
        if (loads > 0) {
            float length = get_dist(0.0f, 0.0f, seg.dx, seg.dy);
            float cosTheta = std::cos(get_line_angle(0.0f, 0.0f, seg.dx, seg.dy));
            for (int i = 0; i < loads; ++i) {
                const CPointLoad& load = seg.loads[i];
                if (!(0.0f <= load.dist && load.dist <= length)) continue;
                // xL = x_start + cos θ · dist
                float xL = startX + cosTheta * load.dist;
                if (m_count > 0 && !(m_loads[m_count - 1].x <= xL)) m_ascending = false;
                m_loads[m_count++] = Load{xL, load.px, load.py};
            }
        }
        startX += seg.dx;
    }
}

// A load on the left boundary belongs to the block below.
bool PointLoadList::belongs(const Load& l, float x1, float x2) const {
    return std::fabs(l.x - x2) < 1e-5 || (x1 < l.x && l.x < x2);
}

void PointLoadList::sum(float x1, float x2, float* px, float* py, int* cursor) const {
    *px = 0.0f;
    *py = 0.0f;
    int first = 0, end = m_count;
    if (m_ascending && !std::isnan(x1) && !std::isnan(x2)) {
        // Loads further than this from both x1 and x2 pass neither test.
        double lo = std::min(x1, x2) - 1e-3;
        double hi = std::max(x1, x2) + 1e-3;
        if (cursor) {
            // The first load not left of lo, walked to from the previous block's.
            first = std::clamp(*cursor, 0, m_count);
            while (first > 0 && !(m_loads[first - 1].x < lo)) --first;
            while (first < m_count && m_loads[first].x < lo) ++first;
            *cursor = first;
        } else {
            first =
                static_cast<int>(std::partition_point(m_loads.begin(), m_loads.begin() + m_count,
                                                      [lo](const Load& l) { return l.x < lo; }) -
                                 m_loads.begin());
        }
        // Loads beyond hi end the walk: none further on can belong.
        end = first;
        while (end < m_count && m_loads[end].x <= hi) ++end;
    }
    for (int i = first; i < end; ++i) {
        if (belongs(m_loads[i], x1, x2)) {
            *px += m_loads[i].px;
            *py += m_loads[i].py;
        }
    }
}
