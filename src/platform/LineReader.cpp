// In-memory line reading: whole lines whatever their length, comments skipped.
#include "platform/LineReader.h"

#include "platform/TextEncoding.h"

#include <cstdio>
#include <memory>
#include <sys/stat.h>

LineReader::LineReader(std::string text) : m_text(std::move(text)) {}

std::optional<LineReader> LineReader::fromFile(const std::string& path) {
    return fromFile(path, UINT64_MAX, nullptr);
}

std::optional<LineReader> LineReader::fromFile(const std::string& path, uint64_t maxBytes,
                                               std::string* why) {
    std::optional<std::string> bytes = readFileBytes(path, maxBytes, why);
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
    return readFileBytes(path, UINT64_MAX, nullptr);
}

std::string byteSizeText(uint64_t bytes) {
    char text[64];
    if (bytes < 1024 * 1024)
        std::snprintf(text, sizeof text, "%llu 字节", static_cast<unsigned long long>(bytes));
    else if (bytes < 1024ull * 1024 * 1024)
        std::snprintf(text, sizeof text, "%.1f MB", bytes / (1024.0 * 1024));
    else
        std::snprintf(text, sizeof text, "%.1f GB", bytes / (1024.0 * 1024 * 1024));
    return text;
}

std::string tooLargeText(uint64_t bytes, uint64_t maxBytes) {
    return "文件有 " + byteSizeText(bytes) + ", 超过上限 " + byteSizeText(maxBytes) + ", 未读入";
}

std::optional<std::string> readFileBytes(const std::string& path, uint64_t maxBytes,
                                         std::string* why) {
    // Only a regular file is read: a FIFO would block the open, /dev/zero
    // never end, and both would be no file of ours anyway.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return std::nullopt;
    if (!S_ISREG(st.st_mode)) {
        if (why) *why = "不是普通文件 (目录、设备或管道), 未读入";
        return std::nullopt;
    }
    const uint64_t size = static_cast<uint64_t>(st.st_size);
    auto tooLarge = [&](uint64_t bytes) {
        if (why) *why = tooLargeText(bytes, maxBytes);
        return std::nullopt;
    };
    if (size > maxBytes) return tooLarge(size);
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(std::fopen(path.c_str(), "rb"), std::fclose);
    if (!in) return std::nullopt;
    std::string bytes;
    bytes.reserve(static_cast<size_t>(size));
    char buf[64 * 1024];
    // The file may have grown since it was measured: still no more than the limit.
    while (size_t got = std::fread(buf, 1, sizeof buf, in.get())) {
        if (bytes.size() + got > maxBytes) return tooLarge(bytes.size() + got);
        bytes.append(buf, got);
    }
    if (std::ferror(in.get())) return std::nullopt;
    return bytes;
}
