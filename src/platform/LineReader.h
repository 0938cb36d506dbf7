// Line-by-line reading of a text file held in memory, with the comment
// convention of our data files. Files are decoded to UTF-8 on loading.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class LineReader {
  public:
    // Takes text already decoded to UTF-8.
    explicit LineReader(std::string text);

    // Reads a file and decodes it (UTF-8 or GBK); nothing when it cannot be read.
    static std::optional<LineReader> fromFile(const std::string& path);
    // The same for a file of at most maxBytes; why says what kept it unread.
    static std::optional<LineReader> fromFile(const std::string& path, uint64_t maxBytes,
                                              std::string* why);

    // The next physical line without its line end (LF, CR LF or CR before LF);
    // false at the end of the text.
    bool nextLine(std::string& line);
    bool atEnd() const { return m_pos >= m_text.size(); }
    // The 1-based number of the line nextLine gave last; 0 before the first.
    int lineNumber() const { return m_line; }

  private:
    std::string m_text;
    size_t m_pos = 0;
    int m_line = 0;
};

// A comment line starts with "//" after optional blanks.
bool isCommentLine(std::string_view line);

// The next line that is not a comment. Blank lines are delivered: each one
// stands for a data line. Returns 0 at the end of the text.
int fgets_skip_comment(LineReader& reader, std::string& line);

// Reads a whole regular file as bytes; nothing when it cannot be opened or
// read, or is a directory, a device or a pipe.
std::optional<std::string> readFileBytes(const std::string& path);
// The same, refusing at once a file larger than maxBytes, a size no real file
// of its kind reaches; why (when given) says what kept the file unread, with
// its size, for a file that exists.
std::optional<std::string> readFileBytes(const std::string& path, uint64_t maxBytes,
                                         std::string* why);

// "16 MB", "3.0 GB": a file size as the messages give it.
std::string byteSizeText(uint64_t bytes);
// Why a file of `bytes` was refused for being larger than maxBytes.
std::string tooLargeText(uint64_t bytes, uint64_t maxBytes);
