// Names and factory of the seventeen tables.
#include "tables/TableId.h"

#include "tables/CBasicTable.h"
#include "tables/CBermTable.h"
#include "tables/CControlTable.h"
#include "tables/CKindCountTable.h"
#include "tables/CLayerTable.h"
#include "tables/CLoadTable.h"
#include "tables/CPileKindTable.h"
#include "tables/CPileTable.h"
#include "tables/CRowFactorTable.h"
#include "tables/CSlipCountTable.h"
#include "tables/CSlipTable.h"
#include "tables/CSlopeCountTable.h"
#include "tables/CSlopeTable.h"
#include "tables/CUnloadSegTable.h"
#include "tables/CUnloadTable.h"
#include "tables/CWaterCountTable.h"
#include "tables/CWaterTable.h"

#include <array>

namespace {

struct TableEntry {
    const char* name;
    std::unique_ptr<CTableBase> (*make)(CSlideCalcData&);
};

template <typename T>
std::unique_ptr<CTableBase> make(CSlideCalcData& data) {
    return std::make_unique<T>(data);
}

// In the order of TableId.
const std::array<TableEntry, kTableCount> kTables = {{
    {"CControlTable", make<CControlTable>},
    {"CBasicTable", make<CBasicTable>},
    {"CSlipCountTable", make<CSlipCountTable>},
    {"CSlipTable", make<CSlipTable>},
    {"CWaterCountTable", make<CWaterCountTable>},
    {"CWaterTable", make<CWaterTable>},
    {"CSlopeCountTable", make<CSlopeCountTable>},
    {"CSlopeTable", make<CSlopeTable>},
    {"CLoadTable", make<CLoadTable>},
    {"CPileTable", make<CPileTable>},
    {"CLayerTable", make<CLayerTable>},
    {"CRowFactorTable", make<CRowFactorTable>},
    {"CKindCountTable", make<CKindCountTable>},
    {"CPileKindTable", make<CPileKindTable>},
    {"CBermTable", make<CBermTable>},
    {"CUnloadTable", make<CUnloadTable>},
    {"CUnloadSegTable", make<CUnloadSegTable>},
}};

}  // namespace

const char* tableName(TableId id) {
    return kTables[static_cast<size_t>(id)].name;
}

std::optional<TableId> tableByName(std::string_view name) {
    for (size_t i = 0; i < kTables.size(); ++i) {
        if (name == kTables[i].name) return static_cast<TableId>(i);
    }
    return std::nullopt;
}

std::unique_ptr<CTableBase> makeTable(TableId id, CSlideCalcData& data) {
    return kTables[static_cast<size_t>(id)].make(data);
}
