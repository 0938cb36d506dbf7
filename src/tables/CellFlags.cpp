// Flags keyed by the field's offset in the record; a flag whose field now
// holds other bytes has been typed over, undone or read anew and no longer
// holds (undoing back to the flagged value shows it again).
#include "tables/CellFlags.h"

#include "data/CSlideCalcData.h"
#include "platform/Assert.h"

#include <algorithm>
#include <cstring>

namespace {

std::ptrdiff_t offsetIn(const CSlideCalcData& data, const void* field) {
    const auto* base = reinterpret_cast<const char*>(&data);
    const auto* at = static_cast<const char*>(field);
    talvor_assert(at >= base && at + sizeof(std::uint32_t) <= base + sizeof(CSlideCalcData));
    return at - base;
}

// Every field a cell edits is a 4-byte int or float.
std::uint32_t bitsAt(const CSlideCalcData& data, std::ptrdiff_t offset) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, reinterpret_cast<const char*>(&data) + offset, sizeof bits);
    return bits;
}

}  // namespace

void CellFlags::set(const CSlideCalcData& data, const void* field, std::string where,
                    std::string message) {
    const std::ptrdiff_t offset = offsetIn(data, field);
    std::erase_if(m_flags, [&](const Flag& f) { return f.offset == offset; });
    if (message.empty()) return;
    m_flags.push_back({offset, bitsAt(data, offset), {std::move(where), std::move(message)}});
}

bool CellFlags::holds(const CSlideCalcData& data, const Flag& f) const {
    return bitsAt(data, f.offset) == f.bits;
}

std::string CellFlags::find(const CSlideCalcData& data, const void* field) const {
    const std::ptrdiff_t offset = offsetIn(data, field);
    for (const Flag& f : m_flags)
        if (f.offset == offset && holds(data, f)) return f.flag.message;
    return {};
}

std::vector<CellFlag> CellFlags::current(const CSlideCalcData& data) const {
    std::vector<CellFlag> out;
    for (const Flag& f : m_flags)
        if (holds(data, f)) out.push_back(f.flag);
    return out;
}
