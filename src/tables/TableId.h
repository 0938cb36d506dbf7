// The seventeen input tables by name, and the one place that makes a table
// object from its name, so that pages, edits and the command line never
// switch over table classes themselves.
#pragma once

#include <memory>
#include <optional>
#include <string_view>

class CSlideCalcData;
class CTableBase;

enum class TableId {
    CControlTable,
    CBasicTable,
    CSlipCountTable,
    CSlipTable,
    CWaterCountTable,
    CWaterTable,
    CSlopeCountTable,
    CSlopeTable,
    CLoadTable,
    CPileTable,
    CLayerTable,
    CRowFactorTable,
    CKindCountTable,
    CPileKindTable,
    CBermTable,
    CUnloadTable,
    CUnloadSegTable,
};

inline constexpr int kTableCount = 17;

// The class name ("CSlipTable").
const char* tableName(TableId id);
// The table of that class name; none for an unknown name.
std::optional<TableId> tableByName(std::string_view name);
// A new table object over the record (the record must outlive it).
std::unique_ptr<CTableBase> makeTable(TableId id, CSlideCalcData& data);
