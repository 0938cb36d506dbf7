// The group pairs of an ASCII DXF file (a code line, then a value line),
// read through a fixed buffer: memory stays the same whatever the file's
// size, and numbers are parsed without locale or allocation. What the groups
// mean is the drawing reader's.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

struct DxfGroup {
    int code = 0;
    std::string_view value;  // blanks around it removed; valid until the next read
    int64_t line = 0;        // 1-based line of the code
};

class DxfGroupReader {
  public:
    // The longest line taken; DXF values hold at most a few thousand bytes.
    static constexpr size_t kMaxLine = 64 * 1024;

    enum class Status { Group, End, BadCode, LongLine, ReadError };

    // False when the path is not a regular file that can be opened.
    bool open(const std::string& path);

    // The next pair; End at the end of the file (a code without a value
    // line ends it too).
    Status next(DxfGroup& group);

    // Bytes of the file after the last pair read: what a declared count may
    // at most take.
    uint64_t remainingBytes() const { return m_size - m_consumed; }
    int64_t line() const { return m_line; }

    static bool toDouble(std::string_view text, double& out);
    static bool toInt(std::string_view text, int64_t& out);

  private:
    struct FileCloser {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };

    // The next line without its end; false at the end of the file or on a
    // line longer than kMaxLine (m_status says which).
    bool nextLine(std::string_view& line);
    bool refill();

    std::unique_ptr<std::FILE, FileCloser> m_file;
    std::unique_ptr<char[]> m_buffer;
    size_t m_begin = 0, m_end = 0;  // unread bytes of the buffer
    bool m_eof = false;
    Status m_status = Status::End;
    uint64_t m_size = 0, m_consumed = 0;
    int64_t m_line = 0;
};
