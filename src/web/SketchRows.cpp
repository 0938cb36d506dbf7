#include "web/SketchRows.h"

#include <array>

using Kind = SketchElementKind;

const std::vector<SketchRowLink>& sketchRowLinks() {
    static const std::vector<SketchRowLink> links = {
        {TableId::CSlipTable, Kind::SlipSegment, false},
        {TableId::CSlopeTable, Kind::SlopeSegment, false},
        {TableId::CWaterTable, Kind::WaterSegment, false},
        {TableId::CLoadTable, Kind::PointLoad, false},
        {TableId::CRowFactorTable, Kind::PileRow, false},
        {TableId::CPileTable, Kind::PileRow, true},
        {TableId::CBermTable, Kind::Berm, true},
        {TableId::CUnloadSegTable, Kind::UnloadSegment, false},
    };
    return links;
}

const SketchRowLink* sketchRowLink(TableId table) {
    for (const SketchRowLink& l : sketchRowLinks())
        if (l.table == table) return &l;
    return nullptr;
}

std::optional<std::pair<TableId, int>> sketchElementRow(const SketchElement& element) {
    for (const SketchRowLink& l : sketchRowLinks())
        if (l.kind == element.kind) return std::pair{l.table, l.whole ? 1 : element.index + 1};
    return std::nullopt;
}

const char* sketchKindName(SketchElementKind kind) {
    static constexpr std::array<const char*, 7> kNames = {
        "SlipSegment", "SlopeSegment", "WaterSegment", "PointLoad",
        "PileRow",     "Berm",         "UnloadSegment"};
    return kNames.at(static_cast<size_t>(kind));
}
