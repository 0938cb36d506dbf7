// The memo of a berm or unloading sweep.
#include "engine/SweepMemo.h"

#include "engine/SectionLines.h"
#include "platform/Assert.h"

SweepMemo::SweepMemo(LineKind swept) : m_swept(swept) {
    talvor_assert(swept == Berm || swept == Unload);
}

const PointLoadList& SweepMemo::loads(const CSlideCalcData& item) {
    if (!m_loads) m_loads.emplace(item);
    return *m_loads;
}

bool SweepMemo::clearOf(const SectionLines& lines, float xStart, float xEnd) const {
    return lines.keepsClearOf(m_swept, xStart, xEnd);
}

const BlockLoads* SweepMemo::find(int s, float xStart, float xEnd) const {
    if (s < 0 || s >= static_cast<int>(m_entries.size())) return nullptr;
    const Entry& e = m_entries[s];
    // Exact ends: a block cut at a moved thrust position is another block.
    if (!e.known || !EXACT(e.xStart, xStart) || !EXACT(e.xEnd, xEnd)) return nullptr;
    return &e.loads;
}

void SweepMemo::remember(int s, float xStart, float xEnd, const BlockLoads& loads) {
    if (s < 0 || s >= static_cast<int>(m_entries.size())) return;
    m_entries[s] = Entry{true, xStart, xEnd, loads};
}
