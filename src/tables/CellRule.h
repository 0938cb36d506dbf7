// How one value cell reads and writes its field: the text format, the parse
// rule of a typed text and the limits it is held to. Name/value and list
// tables describe their cells with these instead of code per cell.
#pragma once

#include <limits>
#include <string>
#include <string_view>
#include <vector>

class CSlideCalcData;

// atoi of a typed text: leading blanks, a sign, decimal digits; anything else
// ends the number, a text without digits gives 0. Saturated to int.
int textToInt(std::string_view text);
// atof of a typed text, stored as float. A value that is not finite as a
// float ("nan", "inf", "1e39") gives 0, as a text that does not parse does.
// The decimal point is '.', whatever the process's locale.
float textToFloat(std::string_view text);
// "%.Nf" of the value, '.' as decimal point.
std::string realText(float value, int decimals);
std::string intText(int value);

using ChoiceList = std::vector<std::string>;

enum class CellKind { Real, Count, Choice };

struct CellRule {
    static constexpr float kNone = std::numeric_limits<float>::infinity();

    CellKind kind = CellKind::Real;
    // The field; index is the element of a list (row - 1), 0 in name/value
    // tables. Real cells use real, the others integer.
    float* (*real)(CSlideCalcData&, int index) = nullptr;
    int* (*integer)(CSlideCalcData&, int index) = nullptr;
    int decimals = 3;                   // Real: "%.3f" or "%.2f"
    float low = -kNone, high = kNone;   // Real and Count: a value below low
                                        // becomes low, above high becomes high
    const ChoiceList* items = nullptr;  // Choice
    bool writeBack = false;             // Choice: an index out of the list is
                                        // held and stored when shown

    std::string text(CSlideCalcData& data, int index) const;
    // The index a drop-down shows: the stored one held to the list.
    int shownIndex(CSlideCalcData& data, int index) const;
    // Parses, holds to the limits and stores; true when the field changed.
    bool apply(CSlideCalcData& data, int index, std::string_view typed) const;
};

// Short constructors for the descriptor tables.
CellRule realCell(float* (*field)(CSlideCalcData&, int), float low = -CellRule::kNone,
                  float high = CellRule::kNone, int decimals = 3);
CellRule countCell(int* (*field)(CSlideCalcData&, int), int low, int high);
CellRule choiceCell(int* (*field)(CSlideCalcData&, int), const ChoiceList& items,
                    bool writeBack = false);
