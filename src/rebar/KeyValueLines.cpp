// Reading key=value lines.
#include "rebar/KeyValueLines.h"

#include "platform/InputDiagnostics.h"

#include <cmath>
#include <cstdlib>
#include <sstream>

namespace {

std::string trimmed(const std::string& s) {
    const char* blanks = " \t\r\n";
    const size_t a = s.find_first_not_of(blanks);
    if (a == std::string::npos) return {};
    return s.substr(a, s.find_last_not_of(blanks) - a + 1);
}

}  // namespace

std::vector<KeyValueLine> ParseKeyValueLines(const std::string& text,
                                             InputDiagnostics& diagnostics) {
    std::vector<KeyValueLine> out;
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        const std::string t = trimmed(line);
        if (t.empty() || t.starts_with("//")) continue;
        const size_t eq = t.find('=');
        if (eq == std::string::npos || trimmed(t.substr(0, eq)).empty()) {
            diagnostics.add(number, {}, t, "不是“参数=值”的形式, 不用");
            continue;
        }
        out.push_back({number, trimmed(t.substr(0, eq)), trimmed(t.substr(eq + 1))});
    }
    return out;
}

std::optional<double> WholeNumber(const std::string& text) {
    if (text.empty()) return std::nullopt;
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (end == text.c_str() || *end != '\0' || !std::isfinite(v)) return std::nullopt;
    return v;
}
