// What a reader of an engineer's file noticed while reading it the way the
// format has always been read: every place where it had to guess (a value
// that is not wholly a number, a line with too few or too many values, a
// file that ends early, a count held to its limit). The reading itself never
// changes; the diagnostics only say where to look.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class StatusSink;

struct InputDiagnostic {
    int line = 0;       // 1-based line of the file; 0 for the file as a whole
    std::string field;  // the field's name; empty for a whole line or file
    std::string found;  // the text found there
    std::string what;   // what was wrong with it and how it was read
};

class InputDiagnostics {
  public:
    // At most this many are told one by one; the rest are counted.
    static constexpr size_t kMaxTold = 20;

    explicit InputDiagnostics(std::string file = {}) : m_file(std::move(file)) {}

    void setFile(std::string file) { m_file = std::move(file); }
    const std::string& file() const { return m_file; }

    void add(int line, std::string field, std::string found, std::string what);
    // The file as a whole was not read (too large, not a file): why, the
    // reason readFileBytes gave, told for the file at path. Nothing for an
    // empty why (a file that does not exist speaks for itself).
    void fileRefused(const std::string& path, const std::string& why);
    // Puts what was told in the order of the file's lines, for a reader that
    // checks a file in more than one pass.
    void sortByLine();
    bool empty() const { return m_items.empty(); }
    size_t size() const { return m_items.size(); }
    const std::vector<InputDiagnostic>& items() const { return m_items; }

    // "FILE 第 12 行 slip[3].dx: “2l.5” 不全是数, 读作 2"
    std::string text(const InputDiagnostic& d) const;
    // Tells the diagnostics to the status sink (code kStatusInputDiagnostic),
    // the first kMaxTold one by one and then how many more there are.
    void tellTo(StatusSink& sink) const;

  private:
    std::string m_file;
    std::vector<InputDiagnostic> m_items;
};

// Reads the whole input file at path, refusing one larger than maxBytes: the
// refusal is told on the diagnostics (when given), which otherwise name this
// file from now on.
std::optional<std::string> readInputFile(const std::string& path, uint64_t maxBytes,
                                         InputDiagnostics* diagnostics);
