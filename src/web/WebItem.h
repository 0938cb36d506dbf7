// One item as the web page edits it, with no file system of the user's behind
// it: opened from a data file's bytes, saved to bytes, or started from the
// worked example or a shipped template, with pile kinds taken from the pile
// library. The shipped files (templates, pile library) lie in the module's own
// program directory. Everything is answered from the core's own readers.
#pragma once

#include "data/CSlideCalcData.h"
#include "platform/WorkContext.h"

#include <string>
#include <string_view>
#include <vector>

// A place where the reader of a data file had to guess: its 1-based line
// (0: the file as a whole), the field, the text found, what was made of it,
// and all of it as one line for a list.
struct WebDiagnostic {
    int line = 0;
    std::string field;
    std::string found;
    std::string what;
    std::string text;
};

// What the core told while working: status lines with their code and
// messages meant for a box. Questions take their default answer.
class WebSinks : public StatusSink, public MessageSink {
  public:
    struct Line {
        int code = 0;  // 0 for a message
        std::string text;
    };
    void tell_error(int code, const std::string& text) override { lines.push_back({code, text}); }
    void message(const std::string& text) override { lines.push_back({0, text}); }
    bool question(const std::string& text, bool defaultAnswer) override {
        lines.push_back({0, text});
        return defaultAnswer;
    }
    std::vector<Line> lines;
};

class WebItem {
  public:
    // programDir holds "Template/" and the pile library.
    explicit WebItem(const std::string& programDir);
    WebItem(const WebItem&) = delete;
    WebItem& operator=(const WebItem&) = delete;

    CSlideCalcData& record() { return m_record; }
    const WorkContext& context() const { return m_ctx; }

    // Reads a data file's bytes (GBK or UTF-8) named `name`, with what the
    // reader had to guess and the values outside their physical ranges. Not
    // read (a foreign or oversized file), the record stays as it was.
    bool open(std::string_view bytes, const std::string& name);
    const std::vector<WebDiagnostic>& diagnostics() const { return m_diagnostics; }
    // The default worked example.
    void openDefault();
    // The data file's bytes (GBK) as the desktop writes them.
    std::string save();

    // The chooser's lines for a new item: "系统默认例题", "前一个例题" (the
    // item as it is) and one per shipped template.
    std::vector<std::string> templateLines();
    // Starts from a chooser line; false for a line not in the list.
    bool openTemplate(int line);

    // The pile library as its selection list shows it: the column titles, and
    // eleven texts per test.
    static std::vector<std::string> pileLibraryColumns();
    std::vector<std::vector<std::string>> pileLibraryRows();
    // "从库中选择": the tests at the list rows become the record's pile kinds
    // (added to the candidates of a pile design, else replacing its one kind).
    // False with the library's message when no row was chosen.
    bool takePileKinds(const std::vector<int>& rows);

    // What the last operation told; cleared by each.
    WebSinks& sinks() { return m_sinks; }

  private:
    WorkContext m_ctx;
    WebSinks m_sinks;
    CSlideCalcData m_record;
    std::vector<WebDiagnostic> m_diagnostics;
};
