// Block loads remembered from pass to pass of a sweep in which one line, the
// berm or the unloading line, is all that changes. A block the swept line
// keeps clear of, in the pass that remembered it and in the present one, has
// the same cut positions, heights and loads, so only its balance is redone.
#pragma once

#include "data/CSlideCalcData.h"
#include "engine/PointLoads.h"
#include "engine/SectionGeometry.h"
#include "engine/ThrustBlock.h"

#include <array>
#include <optional>

class SectionLines;

class SweepMemo {
  public:
    // swept: Berm or Unload. Every item passed through the memo must differ
    // from the first only in that line's fields.
    explicit SweepMemo(LineKind swept);

    LineKind swept() const { return m_swept; }

    // The slope's point loads, located once: the swept line does not move them.
    const PointLoadList& loads(const CSlideCalcData& item);

    bool clearOf(const SectionLines& lines, float xStart, float xEnd) const;
    // The loads of block s remembered for exactly these ends, else null.
    const BlockLoads* find(int s, float xStart, float xEnd) const;
    void remember(int s, float xStart, float xEnd, const BlockLoads& loads);

  private:
    struct Entry {
        bool known = false;
        float xStart = 0.0f, xEnd = 0.0f;
        BlockLoads loads;
    };
    LineKind m_swept;
    std::optional<PointLoadList> m_loads;
    std::array<Entry, CSlideCalcData::kMaxSegments> m_entries;
};
