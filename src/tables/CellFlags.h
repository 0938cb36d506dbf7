// Cells whose typed text was read only in part ("abc" stored as 0): the
// engineer is told at once and again before calculating, until the value of
// the cell changes. The flags belong to one record and name its fields by
// their place in it, so every table showing the field shows the flag.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CSlideCalcData;

struct CellFlag {
    std::string where;    // the page, table, row and column, as a user finds the cell
    std::string message;  // "“abc” 不是数, 读作 0"
};

class CellFlags {
  public:
    // Flags the field of data with the message (an empty message clears the
    // field's flag): it holds while the field keeps the value it has now.
    void set(const CSlideCalcData& data, const void* field, std::string where, std::string message);
    // The message while the flagged field keeps its value; empty otherwise.
    std::string find(const CSlideCalcData& data, const void* field) const;
    // Every flag that still holds, in the order the cells were typed.
    std::vector<CellFlag> current(const CSlideCalcData& data) const;
    void clear() { m_flags.clear(); }

  private:
    struct Flag {
        std::ptrdiff_t offset;
        std::uint32_t bits;  // the field's four bytes when it was flagged
        CellFlag flag;
    };
    bool holds(const CSlideCalcData& data, const Flag& f) const;

    std::vector<Flag> m_flags;
};
