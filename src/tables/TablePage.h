// Where the tables stand: the six pages of the calculation window and the two
// pile-kind lists. The desktop program lays one grid widget over each
// table of a CTablePage and does nothing per table.
#pragma once

#include "tables/CTableBase.h"
#include "tables/CellFlags.h"
#include "tables/TablePaste.h"

#include <memory>
#include <optional>
#include <vector>

class CSlideCalcData;
class CoordinateView;

enum class TablePageId {
    Control,      // "控制"
    Slip,         // "滑面"
    Slope,        // "坡面"
    Pile,         // "抗滑桩"
    Berm,         // "反压码"
    Unload,       // "刷方"
    KindList,     // the candidate pile kinds of pile auto-design
    OneKindList,  // the one pile kind of every other mode
};

struct TablePageInfo {
    TablePageId id;
    const char* title;            // the tab's title; empty for the pile-kind lists
    std::vector<TableId> tables;  // top to bottom, left to right
};

// All eight, the six tabs first in tab order.
const std::vector<TablePageInfo>& tablePages();
const TablePageInfo& tablePage(TablePageId id);
// The pile-kind list the record's mode edits: the candidates of pile
// auto-design (KindList) or the one kind of every other mode (OneKindList).
TablePageId pileKindsPage(const CSlideCalcData& data);
// The first page the table stands on.
TablePageId pageOfTable(TableId id);

// Holds every drop-down index the tables write back when they show it (goal,
// targets, switches, earthquake) in the record, so that a table asked only
// which cells take typing answers as one that was drawn first.
void HoldStoredChoices(CSlideCalcData& data);

// The tables of one page over the record. The page holds the record's choices
// (see above).
class CTablePage {
  public:
    // flags: where the tables flag texts read in part, shared by the pages
    // over one record; null: the page keeps its own.
    CTablePage(TablePageId id, CSlideCalcData& data, CellFlags* flags = nullptr);

    TablePageId id() const { return m_id; }
    CSlideCalcData& data() { return m_data; }
    int tableCount() const { return static_cast<int>(m_tables.size()); }
    CTableBase& table(int i) { return *m_tables.at(i); }
    CTableBase* find(TableId id);
    CellFlags& flags() { return *m_flags; }
    // The section-line tables stand on a page in a CoordinateView: the
    // page's switch shows or hides their points for all of them at once.
    std::vector<CoordinateView*> coordinateViews();
    void setPointsShown(bool shown);

    // Pastes spreadsheet text into the table from the cell (see TablePaste.h),
    // raising the list's count through its count table on this page.
    PasteResult paste(TableId id, int row, int col, std::string_view text);
    // What the last paste on this page did, for naming what found no place.
    const PasteResult& lastPaste() const { return m_lastPaste; }

  private:
    TablePageId m_id;
    CSlideCalcData& m_data;
    std::vector<std::unique_ptr<CTableBase>> m_tables;
    std::unique_ptr<CellFlags> m_ownFlags;
    CellFlags* m_flags;
    PasteResult m_lastPaste;
};
