// Group pairs through a buffer refilled in place; lines are views into it.
#include "platform/DxfGroupReader.h"

#include "platform/NumberText.h"

#include <charconv>
#include <cstring>
#include <sys/stat.h>

namespace {

// Twice the longest line: a line that does not fit after the buffer was
// compacted is too long.
constexpr size_t kBufferSize = 2 * DxfGroupReader::kMaxLine;

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

// from_chars takes no leading '+'; writers do put one before exponents only,
// but a hand-edited file may have it in front.
std::string_view withoutPlus(std::string_view s) {
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    return s;
}

}  // namespace

bool DxfGroupReader::open(const std::string& path) {
    // Only regular files: a FIFO would block the open, a device never end.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    m_file.reset(std::fopen(path.c_str(), "rb"));
    if (!m_file) return false;
    m_size = static_cast<uint64_t>(st.st_size);
    m_buffer = std::make_unique<char[]>(kBufferSize);
    m_begin = m_end = 0;
    m_eof = false;
    m_consumed = 0;
    m_line = 0;
    return true;
}

bool DxfGroupReader::refill() {
    if (m_eof) return false;
    if (m_begin > 0) {
        std::memmove(m_buffer.get(), m_buffer.get() + m_begin, m_end - m_begin);
        m_end -= m_begin;
        m_begin = 0;
    }
    if (m_end == kBufferSize) return false;
    size_t got = std::fread(m_buffer.get() + m_end, 1, kBufferSize - m_end, m_file.get());
    if (got == 0) {
        if (std::ferror(m_file.get())) m_status = Status::ReadError;
        m_eof = true;
        return false;
    }
    m_end += got;
    return true;
}

bool DxfGroupReader::nextLine(std::string_view& line) {
    for (;;) {
        const char* start = m_buffer.get() + m_begin;
        const void* lf = std::memchr(start, '\n', m_end - m_begin);
        if (lf) {
            size_t length = static_cast<const char*>(lf) - start;
            if (length > kMaxLine) break;
            line = std::string_view(start, length);
            m_begin += length + 1;
            m_consumed += length + 1;
            ++m_line;
            return true;
        }
        if (m_end - m_begin > kMaxLine) break;
        if (!refill()) {
            if (m_status == Status::ReadError || m_begin == m_end) return false;
            // The last line of a file without a final line end.
            line = std::string_view(start, m_end - m_begin);
            m_consumed += m_end - m_begin;
            m_begin = m_end;
            ++m_line;
            return true;
        }
    }
    m_status = Status::LongLine;
    return false;
}

DxfGroupReader::Status DxfGroupReader::next(DxfGroup& group) {
    m_status = Status::End;
    std::string_view code, value;
    if (!nextLine(code)) return m_status;
    group.line = m_line;
    int64_t number = 0;
    if (!toInt(trimmed(code), number) || number < 0 || number > 1071) return Status::BadCode;
    // The value is a view into the buffer: the code line, already passed,
    // may be moved away by the refill, the value not.
    if (!nextLine(value)) return m_status;
    group.code = static_cast<int>(number);
    group.value = trimmed(value);
    return Status::Group;
}

bool DxfGroupReader::toDouble(std::string_view text, double& out) {
    text = withoutPlus(trimmed(text));
    const char* end = text.data() + text.size();
    auto [ptr, ec] = parseDouble(text.data(), end, out);
    return ec == std::errc() && ptr == end;
}

bool DxfGroupReader::toInt(std::string_view text, int64_t& out) {
    text = withoutPlus(trimmed(text));
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, out);
    return ec == std::errc() && ptr == end;
}
