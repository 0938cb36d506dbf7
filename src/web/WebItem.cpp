// Opening, saving and starting items through the core's readers and writers.
#include "web/WebItem.h"

#include "platform/InputDiagnostics.h"
#include "project/CPileLibrary.h"
#include "data/ItemOpening.h"
#include "project/TemplateChooser.h"
#include "tables/TablePage.h"

namespace {

// The web edition offers the one calculation kind there is.
constexpr int kKind = 0;

void append(std::vector<WebDiagnostic>& to, const InputDiagnostics& from) {
    for (const InputDiagnostic& d : from.items())
        to.push_back({d.line, d.field, d.found, d.what, from.text(d)});
}

// The chooser dialog of the web page has already been answered: its line.
class ChosenLine : public TemplateChooserUi {
  public:
    explicit ChosenLine(int line) : m_line(line) {}
    bool run(TemplateChooser& chooser) override {
        if (m_line < 0 || m_line >= static_cast<int>(chooser.lines().size())) return false;
        chooser.select(m_line);
        return true;
    }

  private:
    int m_line;
};

}  // namespace

WebItem::WebItem(const std::string& programDir) {
    m_ctx.G_strExePath = withTrailingSlash(programDir);
    m_ctx.G_strWorkPath = m_ctx.G_strExePath;
    m_ctx.status = &m_sinks;
    m_ctx.messages = &m_sinks;
}

bool WebItem::open(std::string_view bytes, const std::string& name) {
    m_sinks.lines.clear();
    m_diagnostics.clear();
    CSlideCalcData read;
    const OpenedItem opened = OpenItemBytes(bytes, name, read, nullptr);
    append(m_diagnostics, opened.diagnostics);
    append(m_diagnostics, opened.ranges);
    if (!opened.read) return false;
    m_record = read;
    return true;
}

void WebItem::openDefault() {
    m_sinks.lines.clear();
    m_diagnostics.clear();
    m_record = CSlideCalcData();
}

std::string WebItem::save() {
    return m_record.FormatDataFile();
}

std::vector<std::string> WebItem::templateLines() {
    CTemplateIndex index;
    index.LoadTemplateIndex(m_ctx);
    return TemplateChooser(index, m_ctx, kKind).lines();
}

bool WebItem::openTemplate(int line) {
    m_sinks.lines.clear();
    m_diagnostics.clear();
    CTemplateIndex index;
    ChosenLine chosen(line);
    return ChooseTemplate(kKind, m_record, index, m_ctx, chosen);
}

std::vector<std::string> WebItem::pileLibraryColumns() {
    std::vector<std::string> titles;
    for (const PileListColumn& c : kPileListColumns) titles.emplace_back(c.title);
    return titles;
}

std::vector<std::vector<std::string>> WebItem::pileLibraryRows() {
    CPileLibrary library;
    library.LoadPileLibrary(m_ctx);
    std::vector<std::vector<std::string>> rows;
    for (size_t i = 0; i < library.entries.size(); ++i)
        rows.push_back(PileListRowTexts(library.entries[i], static_cast<int>(i)));
    return rows;
}

bool WebItem::takePileKinds(const std::vector<int>& rows) {
    m_sinks.lines.clear();
    CPileLibrary library;
    library.LoadPileLibrary(m_ctx);
    if (!library.SelectRows(rows, m_sinks)) return false;
    TakeOverPileKinds(m_record, library, pileKindsPage(m_record) == TablePageId::KindList);
    return true;
}
