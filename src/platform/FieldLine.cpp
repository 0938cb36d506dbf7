// Writing and reading comma-separated field lines with one format string.
#include "platform/FieldLine.h"

#include "platform/Assert.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

struct Conversion {
    std::string text;  // the whole "%...X" conversion
    char type;         // 'd', 'f' or 's'
};

// Splits a format into literal text and conversions; literals are kept for
// writing, ignored for reading (values are separated by commas).
struct ParsedFormat {
    std::vector<std::string> literals;  // literals[i] precedes conversions[i]
    std::vector<Conversion> conversions;
    std::string tail;
};

ParsedFormat parseFormat(const char* fmt) {
    ParsedFormat out;
    std::string literal;
    for (const char* p = fmt; *p; ++p) {
        if (*p != '%') {
            literal += *p;
            continue;
        }
        if (p[1] == '%') {
            literal += '%';
            ++p;
            continue;
        }
        const char* start = p;
        ++p;
        while (*p && std::string_view("-+ #0123456789.l").find(*p) != std::string_view::npos) ++p;
        talvor_assert(*p == 'd' || *p == 'f' || *p == 's');
        out.literals.push_back(literal);
        literal.clear();
        out.conversions.push_back({std::string(start, p + 1), *p});
    }
    out.tail = literal;
    return out;
}

std::string formatOne(const Conversion& c, const FieldRef& field) {
    char buf[512];
    int n = 0;
    if (c.type == 'd') {
        n = std::snprintf(buf, sizeof buf, c.text.c_str(), *std::get<int*>(field));
    } else if (c.type == 'f') {
        n = std::snprintf(buf, sizeof buf, c.text.c_str(),
                          static_cast<double>(*std::get<float*>(field)));
    } else {
        return *std::get<std::string*>(field);
    }
    if (n < 0) return {};
    if (static_cast<size_t>(n) < sizeof buf) return std::string(buf, n);
    // Only a float near FLT_MAX with many decimals is this long.
    std::string big(n + 1, '\0');
    std::snprintf(big.data(), big.size(), c.text.c_str(),
                  static_cast<double>(*std::get<float*>(field)));
    big.resize(n);
    return big;
}

// The token starting at pos, up to the next comma or the end of the line.
std::string_view tokenAt(std::string_view line, size_t pos, size_t* next) {
    size_t comma = line.find(',', pos);
    if (comma == std::string_view::npos) {
        *next = line.size() + 1;
        return line.substr(std::min(pos, line.size()));
    }
    *next = comma + 1;
    return line.substr(pos, comma - pos);
}

}  // namespace

bool readToken(std::string_view token, char conversion, const FieldRef& field) {
    if (conversion == 's') {
        while (!token.empty() && (token.back() == '\r' || token.back() == '\n'))
            token.remove_suffix(1);
        if (token.empty()) return false;
        *std::get<std::string*>(field) = std::string(token);
        return true;
    }
    std::string text(token);  // strtol and strtof need a terminated string
    char* end = nullptr;
    errno = 0;
    if (conversion == 'd') {
        long v = std::strtol(text.c_str(), &end, 10);
        if (end == text.c_str()) return false;
        if (v > INT_MAX) v = INT_MAX;
        if (v < INT_MIN) v = INT_MIN;
        *std::get<int*>(field) = static_cast<int>(v);
        return true;
    }
    float v = std::strtof(text.c_str(), &end);
    if (end == text.c_str()) return false;
    // "nan", "inf" and numbers beyond float are no usable value: 0, as a
    // table cell reads them.
    *std::get<float*>(field) = std::isfinite(v) ? v : 0.0f;
    return true;
}

std::string formatFields(const char* fmt, std::initializer_list<FieldRef> fields) {
    ParsedFormat f = parseFormat(fmt);
    talvor_assert(f.conversions.size() == fields.size());
    std::string out;
    auto field = fields.begin();
    for (size_t i = 0; i < f.conversions.size(); ++i, ++field) {
        out += f.literals[i];
        out += formatOne(f.conversions[i], *field);
    }
    out += f.tail;
    return out;
}

int scanFields(std::string_view line, const char* fmt, std::initializer_list<FieldRef> fields) {
    ParsedFormat f = parseFormat(fmt);
    talvor_assert(f.conversions.size() == fields.size());
    int assigned = 0;
    size_t pos = 0;
    auto field = fields.begin();
    for (size_t i = 0; i < f.conversions.size(); ++i, ++field) {
        if (pos > line.size()) break;
        size_t next = 0;
        std::string_view token = tokenAt(line, pos, &next);
        if (!readToken(token, f.conversions[i].type, *field)) break;
        ++assigned;
        pos = next;
    }
    return assigned;
}

int NextValueScanner::sscanf_next(std::string_view line, const char* fmt, FieldRef field) {
    ParsedFormat f = parseFormat(fmt);
    talvor_assert(f.conversions.size() == 1);
    if (m_stopped || m_pos > line.size()) {
        m_stopped = true;
        return 0;
    }
    size_t next = 0;
    std::string_view token = tokenAt(line, m_pos, &next);
    if (!readToken(token, f.conversions[0].type, field)) {
        m_stopped = true;
        return 0;
    }
    m_pos = next;
    return 1;
}

namespace {

std::string_view trimBlanks(std::string_view s) {
    size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string_view::npos) return {};
    return s.substr(b, s.find_last_not_of(" \t\r\n") - b + 1);
}

bool allDigits(std::string_view s, bool signAllowed) {
    if (signAllowed && !s.empty() && (s[0] == '+' || s[0] == '-')) s.remove_prefix(1);
    return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos;
}

// The values of a line as the scan splits them: an empty line has none, and
// one comma ending the line (as the row-factor line is written) ends nothing.
std::vector<std::string_view> valuesOf(std::string_view line) {
    std::vector<std::string_view> values;
    line = trimBlanks(line);
    if (!line.empty() && line.back() == ',') line.remove_suffix(1);
    if (line.empty()) return values;
    for (size_t pos = 0; pos <= line.size();) {
        size_t next = 0;
        values.push_back(trimBlanks(tokenAt(line, pos, &next)));
        pos = next;
    }
    return values;
}

// One value against its conversion; false when the scan stops at it.
bool checkValue(std::string_view value, char type, int field, std::vector<FieldIssue>& out) {
    FieldIssue issue{FieldIssue::Kind::NoValue, field, std::string(value), {}, 0, 0};
    if (type == 's') {
        if (!value.empty()) return true;
        out.push_back(issue);
        return false;
    }
    std::string text(value);
    char* end = nullptr;
    errno = 0;
    if (type == 'd') {
        long v = std::strtol(text.c_str(), &end, 10);
        long held = std::clamp(v, static_cast<long>(INT_MIN), static_cast<long>(INT_MAX));
        issue.readAs = std::to_string(held);
        if (held != v || errno == ERANGE) issue.kind = FieldIssue::Kind::OutOfRange;
    } else {
        float v = std::strtof(text.c_str(), &end);
        char buf[32];
        std::snprintf(buf, sizeof buf, "%g", std::isfinite(v) ? static_cast<double>(v) : 0.0);
        issue.readAs = buf;
        if (!std::isfinite(v))
            issue.kind =
                errno == ERANGE ? FieldIssue::Kind::OutOfRange : FieldIssue::Kind::NotANumber;
    }
    if (end == text.c_str()) {
        issue.readAs.clear();
        out.push_back(issue);
        return false;
    }
    // Whatever follows a value that is no usable number, 0 is what is read.
    const bool unusable = type == 'f' && issue.kind != FieldIssue::Kind::NoValue;
    if (*end != '\0' && !unusable) issue.kind = FieldIssue::Kind::NotWhollyANumber;
    if (issue.kind != FieldIssue::Kind::NoValue) out.push_back(issue);
    return true;
}

// "19,5" typed for 19.5: one value too many, an integer followed by a bare
// digit run where a decimal is due, and decimal points elsewhere on the line
// (a line of whole numbers alone cannot tell). The field, or -1.
int decimalCommaAt(const std::vector<std::string_view>& values, const ParsedFormat& f) {
    const int count = static_cast<int>(values.size());
    const int expected = static_cast<int>(f.conversions.size());
    if (count != expected + 1) return -1;
    for (int i = 0; i < expected; ++i) {
        if (f.conversions[i].type != 'f' || !allDigits(values[i], true) ||
            !allDigits(values[i + 1], false))
            continue;
        for (int j = 0; j < count; ++j)
            if (j != i && j != i + 1 && values[j].find('.') != std::string_view::npos) return i;
    }
    return -1;
}

}  // namespace

std::vector<FieldIssue> checkFieldLine(std::string_view line, const char* fmt) {
    ParsedFormat f = parseFormat(fmt);
    const std::vector<std::string_view> values = valuesOf(line);
    const int expected = static_cast<int>(f.conversions.size());
    const int count = static_cast<int>(values.size());
    std::vector<FieldIssue> out;
    FieldIssue whole{
        FieldIssue::Kind::MoreValues, expected, std::string(line), {}, count, expected};
    // Values after an extra one are all misplaced: the line is told once.
    if (count > expected) {
        int comma = decimalCommaAt(values, f);
        if (comma >= 0)
            whole = {FieldIssue::Kind::DecimalComma,
                     comma,
                     std::string(values[comma]) + "," + std::string(values[comma + 1]),
                     std::string(values[comma]),
                     count,
                     expected};
        out.push_back(whole);
        return out;
    }
    for (int i = 0; i < count; ++i)
        if (!checkValue(values[i], f.conversions[i].type, i, out)) return out;
    if (count < expected) {
        whole.kind = FieldIssue::Kind::FewerValues;
        whole.field = count;
        out.push_back(whole);
    }
    return out;
}

std::string FieldIssueText(const FieldIssue& issue) {
    const std::string counts = "本行有 " + std::to_string(issue.values) + " 个值, 应有 " +
                               std::to_string(issue.expected) + " 个";
    switch (issue.kind) {
        case FieldIssue::Kind::NotWhollyANumber:
            return "不全是数, 读作 " + issue.readAs;
        case FieldIssue::Kind::OutOfRange:
            return "超出数的范围, 读作 " + issue.readAs;
        case FieldIssue::Kind::NotANumber:
            return "不是可用的数, 读作 " + issue.readAs;
        case FieldIssue::Kind::NoValue:
            return std::string(issue.found.empty() ? "没有值" : "不是数") +
                   ", 本行从这里起的字段未读, 保持原值";
        case FieldIssue::Kind::FewerValues:
            return counts + "; 从这个字段起未读, 保持原值";
        case FieldIssue::Kind::MoreValues:
            return counts + "; 多出的值未读";
        case FieldIssue::Kind::DecimalComma:
            return "像是以逗号作小数点, 读作 " + issue.readAs + ", 本行其后的值错位 (" + counts +
                   ")";
    }
    return {};
}
