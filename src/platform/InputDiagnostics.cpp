// Collecting and telling input diagnostics.
#include "platform/InputDiagnostics.h"

#include "platform/LineReader.h"
#include "platform/Sinks.h"
#include "platform/TextEncoding.h"

#include <algorithm>

namespace {

// A whole line quoted as found can be long; its start says enough.
constexpr int kFoundBytes = 80;

}  // namespace

void InputDiagnostics::add(int line, std::string field, std::string found, std::string what) {
    if (static_cast<int>(found.size()) > kFoundBytes)
        found = cutToGbkWidth(found, kFoundBytes) + "…";
    m_items.push_back({line, std::move(field), std::move(found), std::move(what)});
}

void InputDiagnostics::fileRefused(const std::string& path, const std::string& why) {
    if (why.empty()) return;
    m_file = path;
    add(0, {}, {}, why);
}

void InputDiagnostics::sortByLine() {
    std::stable_sort(
        m_items.begin(), m_items.end(),
        [](const InputDiagnostic& a, const InputDiagnostic& b) { return a.line < b.line; });
}

std::string InputDiagnostics::text(const InputDiagnostic& d) const {
    std::string s = m_file;
    if (d.line > 0) s += " 第 " + std::to_string(d.line) + " 行";
    if (!d.field.empty()) s += " " + d.field;
    s += ": ";
    if (!d.found.empty() || d.line > 0) s += "“" + d.found + "” ";
    return s + d.what;
}

void InputDiagnostics::tellTo(StatusSink& sink) const {
    for (size_t i = 0; i < m_items.size() && i < kMaxTold; ++i)
        sink.tell_error(kStatusInputDiagnostic, text(m_items[i]));
    if (m_items.size() > kMaxTold)
        sink.tell_error(
            kStatusInputDiagnostic,
            m_file + ": 另有 " + std::to_string(m_items.size() - kMaxTold) + " 处疑问未列出");
}

std::optional<std::string> readInputFile(const std::string& path, uint64_t maxBytes,
                                         InputDiagnostics* diagnostics) {
    std::string why;
    std::optional<std::string> bytes = readFileBytes(path, maxBytes, &why);
    if (diagnostics) {
        if (bytes)
            diagnostics->setFile(path);
        else
            diagnostics->fileRefused(path, why);
    }
    return bytes;
}
