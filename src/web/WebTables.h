// The seventeen input tables as the calculation window shows them, for the web
// page: its pages, each table's caption, column heads and widths and rows, and
// each cell's text, lock, drop-down and hint; typing and pasting go through
// the tables' own rules (CTablePage, TableEdit), exactly as on the desktop.
// Tables are named by their TableId and pages by their TablePageId, as ints.
#pragma once

#include "tables/CellFlags.h"
#include "tables/TableEdit.h"
#include "tables/TablePage.h"

#include <memory>
#include <string>
#include <vector>

class CSlideCalcData;

struct WebPage {
    int id = 0;
    std::string title;  // the tab's; empty for the pile-kind lists
    std::vector<int> tables;
};

struct WebTable {
    int id = 0;
    std::string name;     // "CSlipTable"
    std::string caption;  // "滑面线"
    int titleHeight = 0;  // CTableBase::kNoTitleHeight: a table without a title row
    int rowHeight = 0;
    std::vector<std::string> titles;  // per column, "\n" may split one
    std::vector<int> widths;          // per column, in pixels
    int rows = 0;
};

struct WebCell {
    std::string text;
    bool editable = false;
    bool combo = false;
    std::vector<std::string> items;  // of a drop-down
    int itemShown = -1;
    std::string hint;     // the table's hint for the cell
    std::string unit;     // "kPa"
    std::string warning;  // what is wrong with the value
    std::string name;     // "第 3 行 粘聚力(kPa)"
};

struct WebPaste {
    EditOutcome outcome = EditOutcome::Refused;
    PasteResult cells;
    std::string refusals;  // the cells that found no place, one line each
};

class WebTables {
  public:
    explicit WebTables(CSlideCalcData& record);
    ~WebTables();

    // The six tabs in order, then the two pile-kind lists.
    static std::vector<WebPage> pages();
    // The pile-kind list the record's mode edits now.
    int pileKindsPage() const;

    // A page or table id that is not one: an empty answer, never a fault.
    WebTable table(int page, int table);
    WebCell cell(int page, int table, int row, int col);
    // Every cell's text, row by row: what a grid repaints after an edit.
    std::vector<std::vector<std::string>> texts(int page, int table);

    // Types text into the cell (rows and columns from 1) as a user would.
    EditOutcome type(int page, int table, int row, int col, const std::string& text);
    // Pastes tab-separated rows from the cell; counts grow to take them.
    WebPaste paste(int page, int table, int row, int col, const std::string& block);

    // The switch of the section-line tables: their points beside the
    // projections.
    void setPointsShown(int page, bool shown);
    // Every cell typed and read only in part, while it keeps that value.
    std::vector<CellFlag> flags() const;

    // After the record was replaced (opened, a template): pages anew, flags
    // dropped.
    void reset();

  private:
    CTablePage* page(int id);
    CTableBase* find(int page, int table);

    CSlideCalcData& m_record;
    CellFlags m_flags;
    std::vector<std::unique_ptr<CTablePage>> m_pages;
};
