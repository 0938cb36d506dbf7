// Line-by-line reading of a text file held in memory, with the comment
// convention of our data files. Files are decoded to UTF-8 on loading.
#pragma once

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

// Reads a whole file as bytes; nothing when it cannot be opened or read.
std::optional<std::string> readFileBytes(const std::string& path);
