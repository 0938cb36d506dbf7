// The web edition's API as a JavaScript class, "TalvorWeb", for the page and
// its worker: a thin binding of WebItem, WebTables, WebSketch and
// RunWebCalculation, built only into the WebAssembly module. Data files,
// reports and drawings cross as Uint8Array (their bytes are GBK, not text);
// everything a page shows crosses as UTF-8 strings.
#include "web/WebCalc.h"
#include "web/WebItem.h"
#include "web/WebSketch.h"
#include "web/WebTables.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <string>
#include <vector>

using emscripten::val;

namespace {

val bytesOut(const std::string& bytes) {
    return val::global("Uint8Array")
        .new_(emscripten::typed_memory_view(bytes.size(),
                                            reinterpret_cast<const uint8_t*>(bytes.data())));
}

std::string bytesIn(const val& array) {
    std::vector<uint8_t> v = emscripten::convertJSArrayToNumberVector<uint8_t>(array);
    return std::string(v.begin(), v.end());
}

template <typename T>
val list(const std::vector<T>& items) {
    val a = val::array();
    for (size_t i = 0; i < items.size(); ++i) a.set(i, val(items[i]));
    return a;
}

val rows(const std::vector<std::vector<std::string>>& texts) {
    val a = val::array();
    for (size_t i = 0; i < texts.size(); ++i) a.set(i, list(texts[i]));
    return a;
}

// An array of one object per item, filled by fill(object, item).
template <typename T, typename Fill>
val objects(const std::vector<T>& items, Fill fill) {
    val a = val::array();
    for (size_t i = 0; i < items.size(); ++i) {
        val o = val::object();
        fill(o, items[i]);
        a.set(i, o);
    }
    return a;
}

val statusLines(const std::vector<WebSinks::Line>& lines) {
    return objects(lines, [](val& o, const WebSinks::Line& l) {
        o.set("code", l.code);
        o.set("text", l.text);
    });
}

val figures(const RunResult& r) {
    val o = val::object();
    o.set("goal", r.goal);
    o.set("target", r.target);
    o.set("succeeded", r.succeeded);
    o.set("thrustX", r.thrustX);
    o.set("thrust", r.thrust);
    o.set("thrustAngle", r.thrustAngle);
    o.set("fs", r.fs);
    o.set("fsText", ImplicitFsText(r.fsOutcome, r.fs));
    o.set("fsState", r.fsState);
    o.set("quantities", objects(r.quantities, [](val& q, const QuantityTotals& t) {
              q.set("what", t.what);
              q.set("pileKind", t.pileKind);
              q.set("rows", t.rows);
              q.set("spacing", t.spacing);
              q.set("count", t.count);
              q.set("volume", t.volume);
              q.set("cost", t.cost);
              q.set("labour", t.labour);
              q.set("days", t.days);
          }));
    o.set("designFound", r.designFound);
    o.set("designValue", r.designValue);
    o.set("bermByPosition", r.bermByPosition);
    if (r.pileForces) {
        val f = val::object();
        f.set("innerMoment", r.pileForces->innerMoment);
        f.set("innerDepth", r.pileForces->innerDepth);
        f.set("outerMoment", r.pileForces->outerMoment);
        f.set("outerDepth", r.pileForces->outerDepth);
        f.set("shear", r.pileForces->shear);
        f.set("shearDepth", r.pileForces->shearDepth);
        f.set("load", r.pileForces->load);
        o.set("pileForces", f);
    }
    return o;
}

class TalvorWeb {
  public:
    explicit TalvorWeb(const std::string& programDir)
        : m_item(programDir), m_tables(m_item.record()) {}

    // Items.
    bool open(const val& bytes, const std::string& name) {
        const bool read = m_item.open(bytesIn(bytes), name);
        if (read) changedWhole();
        return read;
    }
    val diagnostics() const {
        return objects(m_item.diagnostics(), [](val& o, const WebDiagnostic& d) {
            o.set("line", d.line);
            o.set("field", d.field);
            o.set("found", d.found);
            o.set("what", d.what);
            o.set("text", d.text);
        });
    }
    void openDefault() {
        m_item.openDefault();
        changedWhole();
    }
    val save() { return bytesOut(m_item.save()); }
    std::string name() { return m_item.record().name(); }
    // The description line ("说明"); true when it changed the record.
    bool setName(const std::string& text) {
        if (text == m_item.record().name()) return false;
        m_item.record().setName(text);
        return true;
    }
    val templateLines() { return list(m_item.templateLines()); }
    bool openTemplate(int line) {
        const bool opened = m_item.openTemplate(line);
        if (opened) changedWhole();
        return opened;
    }
    val pileLibraryColumns() { return list(WebItem::pileLibraryColumns()); }
    val pileLibraryRows() { return rows(m_item.pileLibraryRows()); }
    bool takePileKinds(const val& chosen) {
        return m_item.takePileKinds(emscripten::convertJSArrayToNumberVector<int>(chosen));
    }
    val messages() { return statusLines(m_item.sinks().lines); }

    // Tables.
    val pages() {
        return objects(WebTables::pages(), [](val& o, const WebPage& p) {
            o.set("id", p.id);
            o.set("title", p.title);
            o.set("tables", list(p.tables));
        });
    }
    int pileKindsPage() const { return m_tables.pileKindsPage(); }
    val table(int page, int id) {
        WebTable t = m_tables.table(page, id);
        val o = val::object();
        o.set("id", t.id);
        o.set("name", t.name);
        o.set("caption", t.caption);
        o.set("titleHeight", t.titleHeight);
        o.set("rowHeight", t.rowHeight);
        o.set("titles", list(t.titles));
        o.set("widths", list(t.widths));
        o.set("rows", t.rows);
        return o;
    }
    val cell(int page, int table, int row, int col) {
        WebCell c = m_tables.cell(page, table, row, col);
        val o = val::object();
        o.set("text", c.text);
        o.set("editable", c.editable);
        o.set("combo", c.combo);
        o.set("items", list(c.items));
        o.set("itemShown", c.itemShown);
        o.set("hint", c.hint);
        o.set("unit", c.unit);
        o.set("warning", c.warning);
        o.set("name", c.name);
        return o;
    }
    val texts(int page, int table) { return rows(m_tables.texts(page, table)); }
    // Each cell's state in one string, row by row, for a grid's repaint in one
    // call: 'e' editable, 'l' locked; 'w' and 'x' the same with a warning.
    std::string states(int page, int table) {
        const WebTable t = m_tables.table(page, table);
        std::string out;
        for (int r = 1; r <= t.rows; ++r)
            for (int c = 1; c <= static_cast<int>(t.titles.size()); ++c) {
                const WebCell cell = m_tables.cell(page, table, r, c);
                out += cell.warning.empty() ? (cell.editable ? 'e' : 'l')
                                            : (cell.editable ? 'w' : 'x');
            }
        return out;
    }
    // "changed", "unchanged" or "refused".
    std::string type(int page, int table, int row, int col, const std::string& text) {
        return outcomeName(m_tables.type(page, table, row, col, text));
    }
    val paste(int page, int table, int row, int col, const std::string& block) {
        WebPaste p = m_tables.paste(page, table, row, col, block);
        val o = val::object();
        o.set("outcome", outcomeName(p.outcome));
        o.set("cellsSet", p.cells.cellsSet);
        o.set("cellsRefused", p.cells.cellsRefused);
        o.set("rowsRefused", p.cells.rowsRefused);
        o.set("refusals", p.refusals);
        return o;
    }
    void setPointsShown(int page, bool shown) { m_tables.setPointsShown(page, shown); }
    val flags() {
        return objects(m_tables.flags(), [](val& o, const CellFlag& f) {
            o.set("where", f.where);
            o.set("message", f.message);
        });
    }

    // The sketch of the input as it is now; only `same` when it is the one the
    // last call gave, which the page already shows (an edit of a value the
    // sketch does not draw), sparing the SVG's and the elements' copies.
    val sketch(int maxWidth, int maxHeight) {
        WebSketch next = MakeWebSketch(m_item.record(), {maxWidth, maxHeight});
        const bool same = next.svg == m_sketch.svg;
        m_sketch = std::move(next);
        val o = val::object();
        o.set("same", same);
        if (same) return o;
        o.set("svg", m_sketch.svg);
        return o;
    }
    // An element of the last sketch, asked for when it is pointed at: a
    // redraw copies none of them.
    val element(int index) const {
        val o = val::object();
        if (index < 0 || index >= static_cast<int>(m_sketch.elements.size())) return o;
        const WebSketchElement& e = m_sketch.elements[index];
        o.set("id", e.id);
        o.set("name", e.name);
        o.set("description", e.description);
        o.set("table", e.table);
        o.set("row", e.row);
        return o;
    }
    std::string pagePicture(int page, int maxWidth, int maxHeight) const {
        return WebPagePicture(page, {maxWidth, maxHeight});
    }
    // The index of the element of the last sketch under the point; -1: none.
    int hit(double px, double py, double tolerance) const {
        return HitWebSketch(m_sketch, px, py, tolerance).value_or(-1);
    }
    std::string position(double px, double py) const { return WebSketchPosition(m_sketch, px, py); }

    // The calculation; progress(done, total) returning false cancels a design.
    val calculate(const std::string& name, const val& progress) {
        WebProgress watch;
        if (progress.typeOf().as<std::string>() == "function")
            watch = [&progress](int done, int total) {
                val go = progress(done, total);
                return go.isUndefined() || go.as<bool>();
            };
        WebRun run = RunWebCalculation(m_item.record(), name, watch);
        val o = val::object();
        o.set("result", run.result);
        o.set("noDesignSatisfies", run.noDesignSatisfies);
        o.set("errors", list(run.errors));
        o.set("warnings", list(run.warnings));
        o.set("figures", figures(run.figures));
        o.set("reportText", run.reportText);
        o.set("reportName", run.reportName);
        o.set("dataFile", bytesOut(run.dataFile));
        o.set("status", statusLines(run.status));
        o.set("files", objects(run.files, [](val& f, const WebFile& file) {
                  f.set("name", file.name);
                  f.set("bytes", bytesOut(file.bytes));
                  f.set("svg", file.svg);
              }));
        return o;
    }

  private:
    // In the order of EditOutcome.
    static std::string outcomeName(EditOutcome outcome) {
        static constexpr const char* kNames[] = {"changed", "unchanged", "refused"};
        return kNames[static_cast<int>(outcome)];
    }
    void changedWhole() { m_tables.reset(); }

    WebItem m_item;
    WebTables m_tables;
    WebSketch m_sketch;
};

}  // namespace

EMSCRIPTEN_BINDINGS(talvor_web) {
    emscripten::class_<TalvorWeb>("TalvorWeb")
        .constructor<std::string>()
        .function("open", &TalvorWeb::open)
        .function("diagnostics", &TalvorWeb::diagnostics)
        .function("openDefault", &TalvorWeb::openDefault)
        .function("save", &TalvorWeb::save)
        .function("name", &TalvorWeb::name)
        .function("setName", &TalvorWeb::setName)
        .function("templateLines", &TalvorWeb::templateLines)
        .function("openTemplate", &TalvorWeb::openTemplate)
        .function("pileLibraryColumns", &TalvorWeb::pileLibraryColumns)
        .function("pileLibraryRows", &TalvorWeb::pileLibraryRows)
        .function("takePileKinds", &TalvorWeb::takePileKinds)
        .function("messages", &TalvorWeb::messages)
        .function("pages", &TalvorWeb::pages)
        .function("pileKindsPage", &TalvorWeb::pileKindsPage)
        .function("table", &TalvorWeb::table)
        .function("cell", &TalvorWeb::cell)
        .function("texts", &TalvorWeb::texts)
        .function("states", &TalvorWeb::states)
        .function("type", &TalvorWeb::type)
        .function("paste", &TalvorWeb::paste)
        .function("setPointsShown", &TalvorWeb::setPointsShown)
        .function("flags", &TalvorWeb::flags)
        .function("sketch", &TalvorWeb::sketch)
        .function("element", &TalvorWeb::element)
        .function("pagePicture", &TalvorWeb::pagePicture)
        .function("hit", &TalvorWeb::hit)
        .function("position", &TalvorWeb::position)
        .function("calculate", &TalvorWeb::calculate);
}
