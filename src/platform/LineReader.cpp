// In-memory line reading: whole lines whatever their length, comments skipped.
#include "platform/LineReader.h"

#include "platform/TextEncoding.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

LineReader::LineReader(std::string text) : m_text(std::move(text)) {}

std::optional<LineReader> LineReader::fromFile(const std::string& path) {
    std::optional<std::string> bytes = readFileBytes(path);
    if (!bytes) return std::nullopt;
    return LineReader(decodeFileText(*bytes));
}

bool LineReader::nextLine(std::string& line) {
    if (m_pos >= m_text.size()) return false;
    size_t end = m_text.find('\n', m_pos);
    size_t next = end == std::string::npos ? m_text.size() : end + 1;
    if (end == std::string::npos) end = m_text.size();
    if (end > m_pos && m_text[end - 1] == '\r') --end;
    line.assign(m_text, m_pos, end - m_pos);
    m_pos = next;
    ++m_line;
    return true;
}

bool isCommentLine(std::string_view line) {
    size_t i = line.find_first_not_of(" \t");
    return i != std::string_view::npos && line.substr(i, 2) == "//";
}

int fgets_skip_comment(LineReader& reader, std::string& line) {
    while (reader.nextLine(line)) {
        if (!isCommentLine(line)) return 1;
    }
    line.clear();
    return 0;
}

std::optional<std::string> readFileBytes(const std::string& path) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream buf;
    buf << in.rdbuf();
    if (in.bad()) return std::nullopt;
    return std::move(buf).str();
}
