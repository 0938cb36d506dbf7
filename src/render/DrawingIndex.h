// Which entities of a drawing can show in an area, found without looking at
// every entity: a box per entity and a box per run of consecutive entities.
// Drawings are made in drawing order, so neighbours in the list are mostly
// neighbours on paper and a run's box stays small. Built once per drawing;
// a painter asks it on every repaint.
#pragma once

#include <QRectF>

#include <cstdint>
#include <vector>

class CBase_SGT;
struct DrawEntity;

class DrawingIndex {
  public:
    explicit DrawingIndex(const CBase_SGT& drawing);

    // The indices of the entities whose boxes meet `world` (top() the
    // smallest y), in drawing order. Texts are measured `textRatio` times
    // their height, as the painter draws them.
    std::vector<uint32_t> query(const QRectF& world, double textRatio = 1.0) const;
    size_t size() const { return m_boxes.size(); }

    // Entities per run; a run is skipped whole when its box misses the area.
    static constexpr size_t kRun = 256;

  private:
    // x0..x1 × y0..y1; a text's box is a square about its insertion point
    // that holds it at any angle, half `textHalf` wide at a ratio of 1.
    struct Box {
        float x0, y0, x1, y1;
        float textHalf;
    };
    static Box boxOf(const DrawEntity& e);
    static bool meets(const Box& b, const QRectF& world, double textRatio);

    std::vector<Box> m_boxes;
    std::vector<Box> m_runs;  // textHalf: the largest of the run's texts
};
