// Parsing as the C library's atoi and atof read a typed text, but without
// their undefined overflow and independent of the locale the desktop program
// runs in; formatting through the report formatter for the same reason.
#include "tables/CellRule.h"

#include "platform/FieldLine.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <charconv>
#include <climits>
#include <cmath>

namespace {

// The C string a typed text would be: it ends at the first NUL.
std::string_view asCString(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

bool isCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Skips leading blanks and reads an optional sign.
std::string_view skipSign(std::string_view s, bool& negative) {
    size_t i = 0;
    while (i < s.size() && isCSpace(s[i])) ++i;
    negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    return s.substr(i);
}

bool startsHex(std::string_view s) {
    return s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X');
}

// strtod's reading of an unsigned number; 0 when nothing parses.
double unsignedReal(std::string_view s) {
    double v = 0.0;
    if (!s.empty() && (s[0] == '-' || s[0] == '+')) return 0.0;  // a second sign
    std::from_chars_result r{};
    if (startsHex(s)) {
        r = std::from_chars(s.data() + 2, s.data() + s.size(), v, std::chars_format::hex);
        if (r.ec == std::errc::invalid_argument) return 0.0;  // "0x" alone reads the 0
    } else {
        r = std::from_chars(s.data(), s.data() + s.size(), v, std::chars_format::general);
    }
    if (r.ec == std::errc::result_out_of_range) return HUGE_VAL;
    return r.ec == std::errc() ? v : 0.0;
}

}  // namespace

int textToInt(std::string_view text) {
    bool negative = false;
    std::string_view s = skipSign(asCString(text), negative);
    long long v = 0;
    for (char c : s) {
        if (c < '0' || c > '9') break;
        v = std::min<long long>(v * 10 + (c - '0'), 1LL << 40);
    }
    if (negative) v = -v;
    return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

float textToFloat(std::string_view text) {
    bool negative = false;
    double v = unsignedReal(skipSign(asCString(text), negative));
    if (negative) v = -v;
    // Beyond this a double rounds to infinity as a float.
    constexpr double kFloatOverflow = 0x1.ffffffp127;
    if (!(std::fabs(v) < kFloatOverflow)) return 0.0f;
    return static_cast<float>(v);
}

std::string realText(float value, int decimals) {
    return formatFields(decimals == 2 ? "%.2f" : "%.3f", {&value});
}

std::string intText(int value) {
    return formatFields("%d", {&value});
}

int CellRule::shownIndex(CSlideCalcData& data, int index) const {
    int* field = integer(data, index);
    int last = static_cast<int>(items->size()) - 1;
    int held = std::clamp(*field, 0, last);
    if (writeBack) *field = held;
    return held;
}

std::string CellRule::text(CSlideCalcData& data, int index) const {
    switch (kind) {
        case CellKind::Real:
            return realText(*real(data, index), decimals);
        case CellKind::Count:
            return intText(*integer(data, index));
        case CellKind::Choice:
            return (*items)[shownIndex(data, index)];
    }
    return {};
}

bool CellRule::apply(CSlideCalcData& data, int index, std::string_view typed) const {
    if (kind == CellKind::Real) {
        float v = textToFloat(typed);
        if (v < low) v = low;
        if (v > high) v = high;
        float* field = real(data, index);
        bool changed = std::bit_cast<uint32_t>(*field) != std::bit_cast<uint32_t>(v);
        *field = v;
        return changed;
    }
    int* field = integer(data, index);
    int old = *field;
    if (kind == CellKind::Count) {
        *field = std::clamp(textToInt(typed), static_cast<int>(low), static_cast<int>(high));
    } else {
        auto it = std::find(items->begin(), items->end(), asCString(typed));
        if (it != items->end()) *field = static_cast<int>(it - items->begin());
    }
    return *field != old;
}

CellRule realCell(float* (*field)(CSlideCalcData&, int), float low, float high, int decimals) {
    CellRule r;
    r.real = field;
    r.low = low;
    r.high = high;
    r.decimals = decimals;
    return r;
}

CellRule countCell(int* (*field)(CSlideCalcData&, int), int low, int high) {
    CellRule r;
    r.kind = CellKind::Count;
    r.integer = field;
    r.low = static_cast<float>(low);
    r.high = static_cast<float>(high);
    return r;
}

CellRule choiceCell(int* (*field)(CSlideCalcData&, int), const ChoiceList& items, bool writeBack) {
    CellRule r;
    r.kind = CellKind::Choice;
    r.integer = field;
    r.items = &items;
    r.writeBack = writeBack;
    return r;
}
