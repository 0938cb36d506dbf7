// Points summed in decimals, and a coordinate typed as the two projections it
// changes.
#include "tables/CoordinateView.h"

#include "data/CSlideCalcData.h"
#include "tables/CNameValueTable.h"
#include "platform/NumberText.h"
#include "tables/CellRule.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string_view>

namespace {

constexpr int kDxColumn = 2;  // of the segment tables
constexpr int kDyColumn = 3;
constexpr int kPointColumns = 2;
constexpr int kPointWidth = 54;
constexpr int kPoint = -1;  // innerColumn of the x and y columns

constexpr int kMostPlaces = 6;
// Far below the places a point keeps, far above a double sum's rounding.
constexpr double kStays = 1e-8;

// Decimal places of a number's text ("12.5" 1, "3" 0); 6 for exponents.
int placesOf(std::string_view text) {
    if (text.find_first_of("eEn") != std::string_view::npos) return kMostPlaces;
    size_t dot = text.find('.');
    return dot == std::string_view::npos ? 0 : static_cast<int>(text.size() - dot - 1);
}

// The shortest decimal that reads back as the float: what was typed, for a
// value typed by hand, so sums of typed values stay exact.
Decimal decimalOf(float v) {
    char buf[64];
    std::to_chars_result w = shortestText(buf, buf + sizeof buf, v);
    Decimal d;
    parseDouble(buf, w.ptr, d.value);
    d.places = std::min(placesOf(std::string_view(buf, w.ptr - buf)), kMostPlaces);
    return d;
}

// A computed value (the slope's start on the slip) to six places, less the
// trailing zeros.
Decimal decimalOf(double v) {
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.6f", v);
    std::string_view text(buf);
    if (text.find('.') != std::string_view::npos) {
        while (text.back() == '0') text.remove_suffix(1);
        if (text.back() == '.') text.remove_suffix(1);
    }
    return {v, std::min(placesOf(text), kMostPlaces)};
}

Decimal operator+(Decimal a, Decimal b) {
    return {a.value + b.value, std::max(a.places, b.places)};
}

// The difference to as many places as its terms have: a difference of two
// three-place coordinates is a three-place projection, which a float then
// gives back exactly, so later sums stay exact too.
std::string projectionText(Decimal to, Decimal from) {
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.*f", std::max(to.places, from.places), to.value - from.value);
    return buf;
}

const CLineSeg* segmentsOf(const CSlideCalcData& d, TableId id, int* count) {
    switch (id) {
        case TableId::CSlopeTable:
            *count = d.slopeCount;
            return d.slope.data();
        case TableId::CWaterTable:
            *count = d.waterCount;
            return d.water.data();
        default:
            *count = d.slipCount;
            return d.slip.data();
    }
}

CoordinateView::Points pointsFrom(Decimal x0, Decimal y0, const CLineSeg* segs, int count) {
    CoordinateView::Points p;
    p.x.push_back(x0);
    p.y.push_back(y0);
    for (int i = 0; i < std::clamp(count, 0, CSlideCalcData::kMaxSegments); ++i) {
        p.x.push_back(p.x.back() + decimalOf(segs[i].dx));
        p.y.push_back(p.y.back() + decimalOf(segs[i].dy));
    }
    return p;
}

// The slip surface's height at x read from the right, as the section builds
// the slope's first point: at a vertical step the top of it, beyond the ends
// the end's height. (The section geometry lives above the tables and works in
// float; this one keeps the decimals.)
Decimal heightAt(const CoordinateView::Points& slip, double x) {
    const std::vector<Decimal>& xs = slip.x;
    const std::vector<Decimal>& ys = slip.y;
    constexpr double kSame = 1e-5;
    auto same = [](double a, double b) { return std::fabs(a - b) < kSame; };
    size_t n = xs.size();
    if (x < xs.front().value) return ys.front();
    for (size_t i = 0; i + 1 < n; ++i) {
        if (!same(xs[i].value, xs[i + 1].value) || !same(x, xs[i].value)) continue;
        size_t j = i + 1;
        while (j + 1 < n && same(xs[j + 1].value, xs[i].value)) ++j;
        return ys[j];
    }
    for (size_t i = 0; i + 1 < n; ++i) {
        double xi = xs[i].value, xj = xs[i + 1].value;
        if (same(x, xi)) return ys[i];
        if (same(x, xj)) return ys[i + 1];
        if (xi <= x && x <= xj) {
            double yi = ys[i].value, yj = ys[i + 1].value;
            return decimalOf(yi + (yj - yi) / (xj - xi) * (x - xi));
        }
    }
    return ys.back();
}

}  // namespace

bool CoordinateView::Fits(TableId id) {
    return id == TableId::CSlipTable || id == TableId::CSlopeTable || id == TableId::CWaterTable;
}

CoordinateView::CoordinateView(std::unique_ptr<CTableBase> segments, CSlideCalcData& data)
    : CTableBase(data), m_segments(std::move(segments)) {}

CoordinateView::Points CoordinateView::LinePoints() const {
    const CSlideCalcData& d = m_data;
    int count = 0;
    const CLineSeg* segs = segmentsOf(d, Id(), &count);
    switch (Id()) {
        case TableId::CSlopeTable: {
            // The slope surface starts on the slip surface.
            Decimal x0 = decimalOf(d.slopeX0);
            Points slip = pointsFrom({}, {}, d.slip.data(), d.slipCount);
            return pointsFrom(x0, heightAt(slip, x0.value), segs, count);
        }
        case TableId::CWaterTable:
            return pointsFrom(decimalOf(d.waterX0), decimalOf(d.waterY0), segs, count);
        default:
            return pointsFrom({}, {}, segs, count);
    }
}

int CoordinateView::innerColumn(int col) const {
    if (!m_points || col < kXColumn) return col;
    if (col <= kYColumn) return kPoint;
    return col - kPointColumns;
}

std::vector<int> CoordinateView::ColumnWidths() const {
    std::vector<int> widths = m_segments->ColumnWidths();
    if (m_points) widths.insert(widths.begin() + 1, kPointColumns, kPointWidth);
    return widths;
}

std::string CoordinateView::ColumnTitle(int col) const {
    if (innerColumn(col) == kPoint) return col == kXColumn ? "终点X(m)" : "终点Y(m)";
    return m_segments->ColumnTitle(innerColumn(col));
}

std::string CoordinateView::GetHangLieText(int row, int col) const {
    if (innerColumn(col) != kPoint) return m_segments->GetHangLieText(row, innerColumn(col));
    if (row < 1 || row > RowCount()) return {};
    Points p = LinePoints();
    return realText(col == kXColumn ? p.x[row].value : p.y[row].value, 3);
}

int CoordinateView::IsHangLieEdit(int row, int col) const {
    if (innerColumn(col) == kPoint) return row >= 1 && row <= RowCount();
    if (IsComputedColumn(col)) return 0;
    return m_segments->IsHangLieEdit(row, innerColumn(col));
}

int CoordinateView::IsHangLieCombo(int row, int col) const {
    return innerColumn(col) != kPoint && m_segments->IsHangLieCombo(row, innerColumn(col));
}

std::vector<std::string> CoordinateView::GetComboItems(int row, int col) const {
    if (innerColumn(col) == kPoint) return {};
    return m_segments->GetComboItems(row, innerColumn(col));
}

int CoordinateView::GetComboIndex(int row, int col) const {
    if (innerColumn(col) == kPoint) return -1;
    return m_segments->GetComboIndex(row, innerColumn(col));
}

bool CoordinateView::IsComputedColumn(int col) const {
    int inner = innerColumn(col);
    if (inner == kPoint) return false;
    if (m_points && (inner == kDxColumn || inner == kDyColumn)) return true;
    return m_segments->IsComputedColumn(inner);
}

const void* CoordinateView::FieldAt(int row, int col) const {
    int inner = innerColumn(col);
    if (inner == kPoint) return m_segments->FieldAt(row, col == kXColumn ? kDxColumn : kDyColumn);
    if (IsComputedColumn(col)) return nullptr;
    return m_segments->FieldAt(row, inner);
}

std::string CoordinateView::UnitAt(int row, int col) const {
    if (innerColumn(col) == kPoint) return row >= 1 && row <= RowCount() ? "m" : "";
    return m_segments->UnitAt(row, innerColumn(col));
}

std::string CoordinateView::CellName(int row, int col) const {
    if (innerColumn(col) == kPoint) return "第 " + intText(row) + " 行 " + ColumnTitle(col);
    return m_segments->CellName(row, innerColumn(col));
}

std::string CoordinateView::GetHangLieTiShi(int row, int col) const {
    if (innerColumn(col) != kPoint) return m_segments->GetHangLieTiShi(row, innerColumn(col));
    if (row < 1 || row > RowCount()) return {};
    return "该段终点的坐标, 以滑面线的起始点为坐标原点。\n"
           "输入后只移动这一点, 前后两段的投影长随之改变。";
}

void CoordinateView::SetHangLieText(int row, int col, const std::string& text) {
    int inner = innerColumn(col);
    if (inner != kPoint) {
        if (!IsComputedColumn(col)) m_segments->SetHangLieText(row, inner, text);
        return;
    }
    if (std::string_view(text.c_str()) == kDash || row < 1 || row > RowCount()) return;
    int projection = col == kXColumn ? kDxColumn : kDyColumn;
    movePoint(row, projection, text);
    NoteTyped(row, col, m_segments->FieldAt(row, projection), CellKind::Real, text);
}

// The segment ending at the point takes the typed coordinate less its start;
// the next segment then ends where it ended before. The dx rule may hold the
// first above its least width, and the point then stops short. A point moved
// past the next ones pushes them along, each its least width beyond the one
// before; the points beyond stay.
void CoordinateView::movePoint(int row, int projection, const std::string& text) {
    auto along = [projection](const Points& p) { return projection == kDxColumn ? p.x : p.y; };
    std::vector<Decimal> before = along(LinePoints());
    Decimal typed = decimalOf(textToFloat(text));
    m_segments->SetHangLieText(row, projection, projectionText(typed, before[row - 1]));
    for (int next = row + 1; next <= RowCount(); ++next) {
        Decimal moved = along(LinePoints())[next - 1];
        m_segments->SetHangLieText(next, projection, projectionText(before[next], moved));
        // Where it was, but for the sums' last bits: the rest need nothing.
        if (std::fabs(along(LinePoints())[next].value - before[next].value) < kStays) break;
    }
}
