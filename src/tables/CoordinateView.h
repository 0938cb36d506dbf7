// The points of a section line beside its projections. Over the slip, slope
// or water table, a switch adds two columns after the segment's number: the
// x and y of the segment's end point. Typing a coordinate moves that point
// alone: the segment before it and the one after it change their dx (or dy)
// so that every other point stays where it was. While the points are shown,
// dx and dy are computed from them like the length and the angle; with the
// switch off the view is the table itself.
//
// A typed coordinate becomes the projections that typing dx and dy would
// have given: the points are summed in decimals (each stored float read as
// the shortest decimal that gives it back) and the difference, to as many
// places as its terms have, is typed into the dx or dy cell. So the table's
// rules hold, and the data file is the same byte for byte whichever way the
// line was entered.
#pragma once

#include "tables/CTableBase.h"

#include <memory>
#include <vector>

// A number with the decimal places it was written with.
struct Decimal {
    double value = 0.0;
    int places = 0;
};

class CoordinateView : public CTableBase {
  public:
    // The tables whose rows are the segments of a section line.
    static bool Fits(TableId id);

    // `segments` is the slip, slope or water table over `data`.
    CoordinateView(std::unique_ptr<CTableBase> segments, CSlideCalcData& data);

    void SetPointsShown(bool shown) { m_points = shown; }
    bool PointsShown() const { return m_points; }

    // The start point and the end point of every segment in use, in metres
    // from the slip surface's first point.
    struct Points {
        std::vector<Decimal> x, y;
    };
    Points LinePoints() const;

    TableId Id() const override { return m_segments->Id(); }
    std::vector<int> ColumnWidths() const override;
    int TitleHeight() const override { return m_segments->TitleHeight(); }
    int RowCount() const override { return m_segments->RowCount(); }
    std::string ColumnTitle(int col) const override;
    std::string GetHangLieText(int row, int col) const override;
    int IsHangLieEdit(int row, int col) const override;
    int IsHangLieCombo(int row, int col) const override;
    std::vector<std::string> GetComboItems(int row, int col) const override;
    int GetComboIndex(int row, int col) const override;
    bool IsComputedColumn(int col) const override;
    std::string GetHangLieTiShi(int row, int col) const override;
    void SetHangLieText(int row, int col, const std::string& text) override;
    std::optional<CountCell> CountSource() const override { return m_segments->CountSource(); }
    // A point's cells stand for its projections: a coordinate read only in
    // part flags the dx or dy it set.
    const void* FieldAt(int row, int col) const override;
    std::string UnitAt(int row, int col) const override;
    std::string CellName(int row, int col) const override;
    void HoldChoices() override { m_segments->HoldChoices(); }

    static constexpr int kXColumn = 2;
    static constexpr int kYColumn = 3;

  private:
    // The segment table's column under a column of the view; 0 for x and y.
    int innerColumn(int col) const;
    void movePoint(int row, int projection, const std::string& text);

    std::unique_ptr<CTableBase> m_segments;
    bool m_points = false;
};
