// A calculation report built in memory as UTF-8 text and saved as GBK in one
// atomic write. Report lines are formatted exactly as printf formats them; a
// padded "%20s" field that holds Chinese text must be given through gbkPad,
// because the report file pads by GBK bytes, not by UTF-8 bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The largest report file read back: the largest item's report with its
// pictures is under 2 MB, and what is read is held several times over while
// it is shown.
inline constexpr uint64_t kMaxReportBytes = 32 * 1024 * 1024;

class ReportWriter {
  public:
    void printf(const char* fmt, ...) __attribute__((format(printf, 2, 3)));
    void text(std::string_view s) { m_text += s; }

    const std::string& utf8() const { return m_text; }
    bool empty() const { return m_text.empty(); }

    // Writes the report to path as GBK; 1 on success, 0 (old file kept) otherwise.
    int saveGbk(const std::string& path) const;

  private:
    std::string m_text;
};

// Right-aligns (width > 0) or left-aligns (width < 0) a UTF-8 text in a field
// of |width| GBK bytes, as "%20s" / "%-20s" would in the GBK report file.
std::string gbkPad(std::string_view utf8, int width);

// Writes one report-script directive ("InsertDxf=...", "TextStyle=...")
// between its markers, as the report view expects it.
void MorvaneScript(ReportWriter& report, std::string_view directive);

inline constexpr std::string_view kScriptOpen = "%%%[MorvaneScript%%%";
inline constexpr std::string_view kScriptClose = "%%%MorvaneScript]%%%";
