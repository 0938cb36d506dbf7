// How one value cell reads and writes its field: the text format, the parse
// rule of a typed text and the limits it is held to. Name/value and list
// tables describe their cells with these instead of code per cell.
#pragma once

#include <limits>
#include <string>
#include <string_view>
#include <vector>

class CSlideCalcData;

// Full-width digits, signs, decimal points and exponent letters, the
// ideographic full stop typed as a decimal point and the ideographic blank,
// as the ASCII characters they stand for; everything else unchanged. An input
// method set to Chinese types "１２" and "18。5" for 12 and 18.5.
std::string asciiNumberText(std::string_view typed);

// atoi of a typed text: leading blanks, a sign, decimal digits; anything else
// ends the number, a text without digits gives 0. Saturated to int.
int textToInt(std::string_view text);
// atof of a typed text, stored as float. A value that is not finite as a
// float ("nan", "inf", "1e39") gives 0, as a text that does not parse does.
// The decimal point is '.', whatever the process's locale.
float textToFloat(std::string_view text);
// "%.Nf" of the value, '.' as decimal point.
std::string realText(float value, int decimals);
std::string realText(double value, int decimals);
std::string intText(int value);

using ChoiceList = std::vector<std::string>;

enum class CellKind { Real, Count, Choice };

// The unit in a column title or a parameter name, "粘聚力(kPa)" → "kPa";
// empty when the parentheses hold no unit ("(1:xxx)", "(<=20)") or there
// are none.
std::string unitInTitle(std::string_view title);

// What the cell rule of a kind makes of a typed text (after asciiNumberText)
// when it reads only part of it, or nothing, or a number beyond its range:
// "“abc” 不是数, 读作 0". Empty when the text is wholly a number, or blank.
std::string readingWarning(CellKind kind, std::string_view typed);

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
    // The field the cell edits.
    void* field(CSlideCalcData& data, int index) const {
        return kind == CellKind::Real ? static_cast<void*>(real(data, index))
                                      : static_cast<void*>(integer(data, index));
    }
    // The index a drop-down shows: the stored one held to the list.
    int shownIndex(CSlideCalcData& data, int index) const;
    // Parses, holds to the limits and stores.
    void apply(CSlideCalcData& data, int index, std::string_view typed) const;
};

// Short constructors for the descriptor tables.
CellRule realCell(float* (*field)(CSlideCalcData&, int), float low = -CellRule::kNone,
                  float high = CellRule::kNone, int decimals = 3);
CellRule countCell(int* (*field)(CSlideCalcData&, int), int low, int high);
CellRule choiceCell(int* (*field)(CSlideCalcData&, int), const ChoiceList& items,
                    bool writeBack = false);
