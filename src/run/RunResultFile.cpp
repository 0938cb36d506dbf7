// Numbers are written in the shortest form that reads back to the same bits,
// so a figure taken from the file prints the report's digits.
#include "run/RunResultFile.h"

#include "data/CSlideCalcData.h"
#include "platform/NumberText.h"
#include "platform/PrintfFormat.h"
#include "platform/ReportWriter.h"
#include "run/CSlideCalc.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <type_traits>
#include <vector>

namespace {

constexpr std::string_view kVersionLine = "talvor-result 1";
constexpr std::string_view kInputKey = "input";

// One number as text, and back; false for text that is not wholly a number.
template <typename T>
std::string text(T v) {
    char buf[64];
    std::to_chars_result r;
    if constexpr (std::is_floating_point_v<T>)
        r = shortestText(buf, buf + sizeof buf, v);
    else
        r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

template <typename T>
bool parse(std::string_view s, T& v) {
    std::from_chars_result r;
    if constexpr (std::is_same_v<T, float>)
        r = parseFloat(s.data(), s.data() + s.size(), v);
    else if constexpr (std::is_same_v<T, double>)
        r = parseDouble(s.data(), s.data() + s.size(), v);
    else
        r = std::from_chars(s.data(), s.data() + s.size(), v);
    return r.ec == std::errc() && r.ptr == s.data() + s.size();
}

// Space-separated numbers of a line.
template <typename... T>
bool parseAll(std::string_view s, T&... v) {
    auto next = [&](auto& out) {
        const size_t end = s.find(' ');
        const bool ok = parse(s.substr(0, end), out);
        s.remove_prefix(end == std::string_view::npos ? s.size() : end + 1);
        return ok;
    };
    return (next(v) && ...) && s.empty();
}

template <typename... T>
std::string joined(const T&... v) {
    std::string out;
    auto add = [&out](const std::string& t) {
        if (!out.empty()) out += ' ';
        out += t;
    };
    (add(text(v)), ...);
    return out;
}

// A field writes its lines (none for an absent optional part) and reads one
// line's value; a required field must be read once.
struct Field {
    const char* key;
    bool required;
    void (*write)(const RunResult&, std::vector<std::string>& values);
    bool (*read)(RunResult&, std::string_view value);
};

template <auto Member>
Field scalar(const char* key) {
    return {key, true,
            [](const RunResult& r, std::vector<std::string>& values) {
                const auto& v = r.*Member;
                using V = std::decay_t<decltype(v)>;
                if constexpr (std::is_same_v<V, std::string>)
                    values.push_back(v);
                else if constexpr (std::is_enum_v<V> || std::is_same_v<V, bool>)
                    values.push_back(text(static_cast<int>(v)));
                else
                    values.push_back(text(v));
            },
            [](RunResult& r, std::string_view s) {
                auto& v = r.*Member;
                using V = std::decay_t<decltype(v)>;
                if constexpr (std::is_same_v<V, std::string>) {
                    v = std::string(s);
                    return true;
                } else if constexpr (std::is_enum_v<V> || std::is_same_v<V, bool>) {
                    int n = 0;
                    if (!parse(s, n) || n < 0 || n > 3 || (std::is_same_v<V, bool> && n > 1))
                        return false;
                    v = static_cast<V>(n);
                    return true;
                } else {
                    return parse(s, v);
                }
            }};
}

// what kind rows spacing count volume cost labour days
void writeQuantities(const RunResult& r, std::vector<std::string>& values) {
    for (const QuantityTotals& q : r.quantities)
        values.push_back(joined(q.what, q.pileKind, q.rows, q.spacing, q.count, q.volume, q.cost,
                                q.labour, q.days));
}

bool readQuantity(RunResult& r, std::string_view s) {
    QuantityTotals q;
    if (!parseAll(s, q.what, q.pileKind, q.rows, q.spacing, q.count, q.volume, q.cost, q.labour,
                  q.days))
        return false;
    r.quantities.push_back(q);
    return true;
}

// inner moment, depth, outer moment, depth, shear, depth, load on one pile
void writePileForces(const RunResult& r, std::vector<std::string>& values) {
    if (const auto& p = r.pileForces)
        values.push_back(joined(p->innerMoment, p->innerDepth, p->outerMoment, p->outerDepth,
                                p->shear, p->shearDepth, p->load));
}

bool readPileForces(RunResult& r, std::string_view s) {
    PileForceExtremes p;
    if (r.pileForces || !parseAll(s, p.innerMoment, p.innerDepth, p.outerMoment, p.outerDepth,
                                  p.shear, p.shearDepth, p.load))
        return false;
    r.pileForces = p;
    return true;
}

const Field kFields[] = {
    scalar<&RunResult::goal>("goal"),
    scalar<&RunResult::target>("target"),
    scalar<&RunResult::succeeded>("succeeded"),
    scalar<&RunResult::thrustX>("thrust_x"),
    scalar<&RunResult::thrust>("thrust"),
    scalar<&RunResult::thrustAngle>("thrust_angle"),
    scalar<&RunResult::fsOutcome>("fs_outcome"),
    scalar<&RunResult::fs>("fs"),
    scalar<&RunResult::fsState>("fs_state"),
    scalar<&RunResult::designFound>("design_found"),
    scalar<&RunResult::designValue>("design_value"),
    scalar<&RunResult::bermByPosition>("berm_by_position"),
    {"quantity", false, &writeQuantities, &readQuantity},
    {"pile_forces", false, &writePileForces, &readPileForces},
};

const Field* findField(std::string_view key) {
    for (const Field& f : kFields)
        if (key == f.key) return &f;
    return nullptr;
}

}  // namespace

std::string RunResultFileName(const CSlideCalcData& item) {
    const std::string report = item.GetRtfFileName(0);
    const size_t dot = report.rfind('.');
    return report.substr(0, dot) + "_RESULT.TXT";
}

std::string RunInputMark(const CSlideCalcData& item) {
    ReportWriter head;
    WriteReportHead(item, head);
    std::uint64_t h = 14695981039346656037ull;  // FNV-1a
    for (unsigned char c : head.utf8()) h = (h ^ c) * 1099511628211ull;
    return stringPrintf("%016llx", static_cast<unsigned long long>(h));
}

std::string RunResultText(const RunResult& result, const std::string& inputMark) {
    std::string out(kVersionLine);
    auto line = [&out](std::string_view key, const std::string& value) {
        out.append("\n").append(key).append("=").append(value);
    };
    line(kInputKey, inputMark);
    for (const Field& f : kFields) {
        std::vector<std::string> values;
        f.write(result, values);
        for (const std::string& v : values) line(f.key, v);
    }
    return out + "\n";
}

std::optional<RunResult> ParseRunResult(std::string_view text, const std::string& inputMark) {
    RunResult r;
    std::vector<const Field*> seen;
    bool first = true, markMatches = false;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (first) {
            if (line != kVersionLine) return std::nullopt;
            first = false;
            continue;
        }
        const size_t eq = line.find('=');
        if (eq == std::string_view::npos) return std::nullopt;
        const std::string_view key = line.substr(0, eq), value = line.substr(eq + 1);
        if (key == kInputKey) {
            markMatches = value == inputMark;
            continue;
        }
        const Field* f = findField(key);
        if (!f || !f->read(r, value)) return std::nullopt;
        seen.push_back(f);
    }
    if (!markMatches) return std::nullopt;
    for (const Field& f : kFields)
        if (f.required && std::count(seen.begin(), seen.end(), &f) != 1) return std::nullopt;
    return r;
}
