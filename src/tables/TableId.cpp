// Names and factory of the seventeen tables.
#include "tables/TableId.h"

#include "tables/CBasicTable.h"
#include "tables/CControlTable.h"
#include "tables/CLoadTable.h"
#include "tables/CSlipCountTable.h"
#include "tables/CSlipTable.h"
#include "tables/CSlopeCountTable.h"
#include "tables/CSlopeTable.h"
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
    {"CPileTable", nullptr},
    {"CLayerTable", nullptr},
    {"CRowFactorTable", nullptr},
    {"CKindCountTable", nullptr},
    {"CPileKindTable", nullptr},
    {"CBermTable", nullptr},
    {"CUnloadTable", nullptr},
    {"CUnloadSegTable", nullptr},
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
    auto make = kTables[static_cast<size_t>(id)].make;
    return make ? make(data) : nullptr;
}
