// Parsing as the C library's atoi and atof read a typed text, but without
// their undefined overflow and independent of the locale the desktop program
// runs in; formatting through the report formatter for the same reason.
#include "tables/CellRule.h"

#include "platform/FieldLine.h"
#include "platform/NumberText.h"
#include "platform/PrintfFormat.h"

#include <algorithm>
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

// What strtod and strtol read of a text: the value without its sign, where the
// reading stopped, and whether any number was read at all.
struct Scan {
    double value = 0.0;
    bool negative = false;
    bool read = false;
    bool overflow = false;
    size_t end = 0;  // where the reading stopped; 0 when nothing was read
};

Scan scanReal(std::string_view text) {
    Scan scan;
    std::string_view s = skipSign(text, scan.negative);
    const size_t start = text.size() - s.size();
    if (!s.empty() && (s[0] == '-' || s[0] == '+')) return scan;  // a second sign
    const char* first = s.data();
    std::from_chars_result r{};
    if (startsHex(s)) {
        r = parseDouble(first + 2, first + s.size(), scan.value, std::chars_format::hex);
        if (r.ec == std::errc::invalid_argument) r = {first + 1, std::errc()};  // "0x" reads the 0
    } else {
        r = parseDouble(first, first + s.size(), scan.value);
    }
    if (r.ec == std::errc::invalid_argument) return scan;
    scan.read = true;
    scan.end = start + static_cast<size_t>(r.ptr - first);
    if (r.ec == std::errc::result_out_of_range) scan.value = HUGE_VAL;
    // Beyond this a double rounds to infinity as a float.
    constexpr double kFloatOverflow = 0x1.ffffffp127;
    scan.overflow = !(std::fabs(scan.value) < kFloatOverflow);
    return scan;
}

Scan scanInt(std::string_view text, long long& v) {
    Scan scan;
    std::string_view s = skipSign(text, scan.negative);
    const size_t start = text.size() - s.size();
    v = 0;
    size_t i = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i)
        v = std::min<long long>(v * 10 + (s[i] - '0'), 1LL << 40);
    scan.read = i > 0;
    scan.end = scan.read ? start + i : 0;
    if (scan.negative) v = -v;
    scan.overflow = v < INT_MIN || v > INT_MAX;
    return scan;
}

bool onlyBlanks(std::string_view s) {
    return std::all_of(s.begin(), s.end(), isCSpace);
}

// A mark an input method gives for a character of a number, as its three
// UTF-8 bytes, and the ASCII character meant.
struct WideForm {
    std::string_view utf8;
    char ascii;
};

constexpr WideForm kWideForms[] = {
    {"＋", '+'}, {"－", '-'}, {"−", '-'},  {"．", '.'},
    {"。", '.'}, {"　", ' '}, {"ｅ", 'e'}, {"Ｅ", 'E'},
};

// Full-width digits are U+FF10..U+FF19: EF BC 90..99.
int wideDigit(std::string_view s) {
    if (s.size() < 3 || static_cast<unsigned char>(s[0]) != 0xEF ||
        static_cast<unsigned char>(s[1]) != 0xBC)
        return -1;
    int d = static_cast<unsigned char>(s[2]) - 0x90;
    return d >= 0 && d <= 9 ? d : -1;
}

}  // namespace

std::string asciiNumberText(std::string_view typed) {
    std::string out;
    out.reserve(typed.size());
    for (size_t i = 0; i < typed.size();) {
        std::string_view rest = typed.substr(i);
        if (int d = wideDigit(rest); d >= 0) {
            out += static_cast<char>('0' + d);
            i += 3;
            continue;
        }
        auto wide = std::find_if(std::begin(kWideForms), std::end(kWideForms),
                                 [&](const WideForm& w) { return rest.starts_with(w.utf8); });
        if (wide != std::end(kWideForms)) {
            out += wide->ascii;
            i += wide->utf8.size();
            continue;
        }
        out += typed[i++];
    }
    return out;
}

int textToInt(std::string_view text) {
    long long v = 0;
    scanInt(asCString(text), v);
    return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

float textToFloat(std::string_view text) {
    Scan scan = scanReal(asCString(text));
    // A sign with no number after it reads nothing: +0, as atof gives.
    if (!scan.read || scan.overflow) return 0.0f;
    return static_cast<float>(scan.negative ? -scan.value : scan.value);
}

std::string readingWarning(CellKind kind, std::string_view typed) {
    if (kind == CellKind::Choice) return {};
    const std::string text = asciiNumberText(typed);
    std::string_view c = asCString(text);
    long long count = 0;
    Scan scan = kind == CellKind::Count ? scanInt(c, count) : scanReal(c);
    // An empty cell is cleared on purpose, not mistyped.
    if (!scan.read && onlyBlanks(c)) return {};
    const std::string quoted = "“" + std::string(asCString(typed)) + "” ";
    if (kind == CellKind::Count) {
        const std::string readAs = intText(textToInt(c));
        if (!scan.read) return quoted + "不是数, 读作 0";
        if (scan.overflow) return quoted + "超出数的范围, 读作 " + readAs;
        if (!onlyBlanks(c.substr(scan.end))) return quoted + "不全是数, 读作 " + readAs;
        return {};
    }
    if (!scan.read || std::isnan(scan.value)) return quoted + "不是数, 读作 0";
    if (scan.overflow) return quoted + "超出数的范围, 读作 0";
    if (!onlyBlanks(c.substr(scan.end)))
        return quoted + "不全是数, 读作 " + stringPrintf("%g", static_cast<double>(textToFloat(c)));
    return {};
}

std::string realText(float value, int decimals) {
    return formatFields(decimals == 2 ? "%.2f" : "%.3f", {&value});
}

std::string realText(double value, int decimals) {
    return stringPrintf(decimals == 2 ? "%.2f" : "%.3f", value);
}

std::string intText(int value) {
    return formatFields("%d", {&value});
}

std::string unitInTitle(std::string_view title) {
    static constexpr std::string_view kUnits[] = {
        "m",     "kPa",     "度",    "kN/m3",   "kN",    "MN/m3",   "MN/m",
        "MN/m4", "MN/m3.5", "元/桩", "人天/桩", "元/方", "人天/方", "m2",
    };
    const size_t open = title.rfind('(');
    const size_t close = title.rfind(')');
    if (open == std::string_view::npos || close == std::string_view::npos || close < open)
        return {};
    std::string_view unit = title.substr(open + 1, close - open - 1);
    for (std::string_view u : kUnits)
        if (u == unit) return std::string(u);
    return {};
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

void CellRule::apply(CSlideCalcData& data, int index, std::string_view typedText) const {
    const std::string ascii = asciiNumberText(typedText);
    std::string_view typed = kind == CellKind::Choice ? typedText : std::string_view(ascii);
    if (kind == CellKind::Real) {
        float v = textToFloat(typed);
        if (v < low) v = low;
        if (v > high) v = high;
        *real(data, index) = v;
        return;
    }
    int* field = integer(data, index);
    if (kind == CellKind::Count) {
        *field = std::clamp(textToInt(typed), static_cast<int>(low), static_cast<int>(high));
    } else {
        auto it = std::find(items->begin(), items->end(), asCString(typed));
        if (it != items->end()) *field = static_cast<int>(it - items->begin());
    }
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
