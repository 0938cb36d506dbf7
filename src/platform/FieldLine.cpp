// Writing and reading comma-separated field lines with one format string.
#include "platform/FieldLine.h"

#include "platform/Assert.h"

#include <cerrno>
#include <climits>
#include <cstdio>
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
    *std::get<float*>(field) = v;
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
