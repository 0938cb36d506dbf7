// Writing a drawing as an R12 DXF file through dxflib. The header and tables
// come from dxflib's table writers; entities are written group by group with
// its writer, since its entity writers leave out R12 line types and vertex
// widths. Texts are converted to GBK and the code page is declared ANSI_936,
// so Chinese CAD programs show them.
#include "platform/Drawing.h"

#include "platform/AtomicFile.h"
#include "platform/NumberText.h"
#include "platform/TextEncoding.h"

#include <charconv>
#include <dxflib/dl_dxf.h>

#include <cmath>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

void writeHeaderSection(DL_Dxf& dxf, DL_WriterA& dw, const CFRect& extent) {
    dxf.writeHeader(dw);
    dw.dxfString(9, "$DWGCODEPAGE");
    dw.dxfString(3, "ANSI_936");
    // The extent lets a CAD program open the drawing zoomed to its contents.
    CFRect r = extent;
    if (r.empty) r.p1 = r.p2 = {0.0f, 0.0f};
    dw.dxfString(9, "$EXTMIN");
    dw.dxfReal(10, r.p1.x);
    dw.dxfReal(20, r.p1.y);
    dw.dxfReal(30, 0.0);
    dw.dxfString(9, "$EXTMAX");
    dw.dxfReal(10, r.p2.x);
    dw.dxfReal(20, r.p2.y);
    dw.dxfReal(30, 0.0);
    dw.sectionEnd();
}

void writeLineTypeTable(DL_Dxf& dxf, DL_WriterA& dw, const DXF& drawing) {
    const auto& types = drawing.lineTypes();
    dw.tableLinetypes(static_cast<int>(types.size()));
    for (const DrawLineType& t : types) {
        std::vector<double> pattern(t.pattern.begin(), t.pattern.end());
        double length = 0.0;
        for (double d : pattern) length += std::abs(d);
        dxf.writeLinetype(dw, DL_LinetypeData(t.name, utf8ToGbk(t.description), 0,
                                              static_cast<int>(pattern.size()), length,
                                              pattern.empty() ? nullptr : pattern.data()));
    }
    dw.tableEnd();
}

void writeTablesSection(DL_Dxf& dxf, DL_WriterA& dw, const DXF& drawing) {
    dw.sectionTables();
    dxf.writeVPort(dw);
    writeLineTypeTable(dxf, dw, drawing);
    dw.tableLayers(1);
    dxf.writeLayer(dw, DL_LayerData("0", 0),
                   DL_Attributes("", DrawColor::kWhite, 0, kContinuousLineType, 1.0));
    dw.tableEnd();
    const auto& styles = drawing.styles();
    dw.tableStyle(static_cast<int>(styles.size()));
    for (const DrawTextStyle& s : styles) {
        dxf.writeStyle(dw, DL_StyleData(s.name, 0, s.height, s.widthFactor, 0.0, 0,
                                        s.height > 0.0f ? s.height : 2.5, s.font, s.bigFont));
    }
    dw.tableEnd();
    dxf.writeView(dw);
    dxf.writeUcs(dw);
    dw.tableAppid(1);
    dxf.writeAppid(dw, "ACAD");
    dw.tableEnd();
    dw.sectionEnd();
}

void writeCommon(DL_WriterA& dw, const char* type, const DrawEntity& e) {
    dw.dxfString(0, type);
    dw.dxfString(8, e.layer.empty() ? "0" : e.layer);
    if (e.lineType != kContinuousLineType) dw.dxfString(6, e.lineType);
    if (e.color != DrawColor::kByLayer) dw.dxfInt(62, e.color);
}

void writePoint(DL_WriterA& dw, int code, float x, float y) {
    dw.dxfReal(code, x);
    dw.dxfReal(code + 10, y);
    dw.dxfReal(code + 20, 0.0);
}

void writePolyline(DL_WriterA& dw, const DrawEntity& e) {
    writeCommon(dw, "POLYLINE", e);
    dw.dxfInt(66, 1);
    writePoint(dw, 10, 0.0f, 0.0f);
    dw.dxfInt(70, e.closed ? 1 : 0);
    for (const DrawVertex& v : e.points) {
        dw.dxfString(0, "VERTEX");
        dw.dxfString(8, e.layer.empty() ? "0" : e.layer);
        writePoint(dw, 10, v.x, v.y);
        if (v.startWidth != 0.0f || v.endWidth != 0.0f) {
            dw.dxfReal(40, v.startWidth);
            dw.dxfReal(41, v.endWidth);
        }
    }
    dw.dxfString(0, "SEQEND");
    dw.dxfString(8, e.layer.empty() ? "0" : e.layer);
}

void writeEntity(DL_WriterA& dw, const DrawEntity& e) {
    switch (e.kind) {
        case DrawEntityKind::Line:
            writeCommon(dw, "LINE", e);
            writePoint(dw, 10, e.points[0].x, e.points[0].y);
            writePoint(dw, 11, e.points[1].x, e.points[1].y);
            break;
        case DrawEntityKind::Polyline:
            writePolyline(dw, e);
            break;
        case DrawEntityKind::Circle:
            writeCommon(dw, "CIRCLE", e);
            writePoint(dw, 10, e.points[0].x, e.points[0].y);
            dw.dxfReal(40, e.radius);
            break;
        case DrawEntityKind::Text:
            writeCommon(dw, "TEXT", e);
            writePoint(dw, 10, e.points[0].x, e.points[0].y);
            dw.dxfReal(40, e.height);
            dw.dxfString(1, utf8ToGbk(e.text));
            if (e.angle != 0.0f) dw.dxfReal(50, e.angle);
            if (e.widthFactor != 1.0f) dw.dxfReal(41, e.widthFactor);
            dw.dxfString(7, e.style);
            break;
    }
}

// dxflib's ASCII writer collecting the file in memory: every group goes
// through dxfString or dxfInt, so overriding those keeps dxflib's own number
// formatting. The base opens no file (its name is empty) and is never written.
class MemoryDxfWriter : public DL_WriterA {
  public:
    MemoryDxfWriter() : DL_WriterA("", DL_Codes::AC1009) {}
    void dxfString(int gc, const char* value) const override {
        appendCode(gc);
        m_bytes += value;
        m_bytes += '\n';
    }
    void dxfString(int gc, const std::string& value) const override {
        dxfString(gc, value.c_str());
    }
    void dxfInt(int gc, int value) const override {
        appendCode(gc);
        m_bytes += std::to_string(value);
        m_bytes += '\n';
    }
    // The shortest fixed-point text that reads back as the same double: the
    // value dxflib's "%.16lf" with trailing zeros cut gives, at a tenth of
    // the cost, which matters for sections of thousands of entities.
    void dxfReal(int gc, double value) const override {
        appendCode(gc);
        char buf[400];
        auto [end, ec] = shortestFixedText(buf, buf + sizeof buf, value);
        if (ec != std::errc()) end = shortestText(buf, buf + sizeof buf, value).ptr;
        std::string_view text(buf, end - buf);
        m_bytes += text;
        if (std::isfinite(value) && text.find('.') == std::string_view::npos) m_bytes += ".0";
        m_bytes += '\n';
    }
    std::string take() { return std::move(m_bytes); }

  private:
    // Group codes right-aligned in three columns, as dxflib writes them.
    void appendCode(int gc) const {
        if (gc < 10)
            m_bytes += "  ";
        else if (gc < 100)
            m_bytes += ' ';
        m_bytes += std::to_string(gc);
        m_bytes += '\n';
    }
    mutable std::string m_bytes;
};

}  // namespace

std::string DXF::formatDxf() const {
    try {
        DL_Dxf dxf;
        // out() is where dxflib takes the version its table writers follow;
        // the writer it would open on an empty name fails and is not used.
        std::unique_ptr<DL_WriterA> unused(dxf.out("", DL_Codes::AC1009));
        MemoryDxfWriter dw;
        writeHeaderSection(dxf, dw, GetFRect());
        writeTablesSection(dxf, dw, *this);
        dw.sectionBlocks();
        dw.sectionEnd();
        dw.sectionEntities();
        for (const DrawEntity& e : entities()) writeEntity(dw, e);
        dw.sectionEnd();
        dw.dxfEOF();
        return dw.take();
    } catch (...) {
        return {};
    }
}

int DXF::Write_MemDxf_To_File(const std::string& path) const {
    std::string bytes = formatDxf();
    if (bytes.empty()) return 0;
    return writeFileAtomically(path, bytes);
}
