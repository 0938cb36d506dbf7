// A text's box is generous: glyphs of the CJK font run up to 1.4 heights
// wide, while the drawing's own text width estimate is for shape fonts.
#include "render/DrawingIndex.h"

#include "platform/DrawingPen.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr float kGlyphWidth = 1.5f;  // text heights per character, generous

size_t codePoints(const std::string& s) {
    return static_cast<size_t>(
        std::count_if(s.begin(), s.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

}  // namespace

DrawingIndex::DrawingIndex(const CBase_SGT& drawing) {
    const std::vector<DrawEntity>& entities = drawing.entities();
    m_boxes.reserve(entities.size());
    for (const DrawEntity& e : entities) m_boxes.push_back(boxOf(e));
    for (size_t start = 0; start < m_boxes.size(); start += kRun) {
        Box run = m_boxes[start];
        for (size_t i = start + 1; i < std::min(m_boxes.size(), start + kRun); ++i) {
            const Box& b = m_boxes[i];
            run = {std::min(run.x0, b.x0), std::min(run.y0, b.y0), std::max(run.x1, b.x1),
                   std::max(run.y1, b.y1), std::max(run.textHalf, b.textHalf)};
        }
        m_runs.push_back(run);
    }
}

DrawingIndex::Box DrawingIndex::boxOf(const DrawEntity& e) {
    constexpr float inf = std::numeric_limits<float>::infinity();
    Box b{inf, inf, -inf, -inf, 0.0f};
    float pad = 0.0f;
    for (const DrawVertex& v : e.points) {
        b = {std::min(b.x0, v.x), std::min(b.y0, v.y), std::max(b.x1, v.x), std::max(b.y1, v.y),
             0.0f};
        pad = std::max({pad, std::fabs(v.startWidth) / 2, std::fabs(v.endWidth) / 2});
    }
    if (e.points.empty()) return b;  // an empty box meets nothing
    if (e.kind == DrawEntityKind::Circle) pad = std::fabs(e.radius);
    if (e.kind == DrawEntityKind::Text) {
        float w = std::max(1.0f, std::fabs(e.widthFactor));
        b.textHalf = std::fabs(e.height) * (kGlyphWidth * w * codePoints(e.text) + kGlyphWidth);
    }
    return {b.x0 - pad, b.y0 - pad, b.x1 + pad, b.y1 + pad, b.textHalf};
}

bool DrawingIndex::meets(const Box& b, const QRectF& world, double textRatio) {
    // Text boxes grow about their insertion point with the ratio; a run's box
    // holds its texts' points, so it grows by the largest text's half width.
    double grow = b.textHalf * std::max(textRatio, 1.0);
    return b.x1 + grow >= world.left() && b.x0 - grow <= world.right() &&
           b.y1 + grow >= world.top() && b.y0 - grow <= world.bottom();
}

std::vector<uint32_t> DrawingIndex::query(const QRectF& world, double textRatio) const {
    std::vector<uint32_t> found;
    for (size_t r = 0; r < m_runs.size(); ++r) {
        if (!meets(m_runs[r], world, textRatio)) continue;
        size_t end = std::min(m_boxes.size(), (r + 1) * kRun);
        for (size_t i = r * kRun; i < end; ++i)
            if (meets(m_boxes[i], world, textRatio)) found.push_back(static_cast<uint32_t>(i));
    }
    return found;
}
