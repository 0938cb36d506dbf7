// Writing a drawing as an R12 DXF file through dxflib. The header and tables
// come from dxflib's table writers; entities are written group by group with
// its writer, since its entity writers leave out R12 line types and vertex
// widths. Texts are converted to GBK and the code page is declared ANSI_936,
// so Chinese CAD programs show them.
#include "platform/Drawing.h"

#include "platform/AtomicFile.h"
#include "platform/TextEncoding.h"

#include <dxflib/dl_dxf.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <unistd.h>
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

// A private temporary file for dxflib, which writes only to a named file.
std::string makeTempPath() {
    std::string pattern = (std::filesystem::temp_directory_path() / "talvor-dxf-XXXXXX").string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = mkstemp(name.data());
    if (fd < 0) return {};
    close(fd);
    return name.data();
}

}  // namespace

std::string DXF::formatDxf() const {
    std::string tmp = makeTempPath();
    if (tmp.empty()) return {};
    try {
        DL_Dxf dxf;
        std::unique_ptr<DL_WriterA> dw(dxf.out(tmp.c_str(), DL_Codes::AC1009));
        if (!dw) {
            std::remove(tmp.c_str());
            return {};
        }
        writeHeaderSection(dxf, *dw, GetFRect());
        writeTablesSection(dxf, *dw, *this);
        dw->sectionBlocks();
        dw->sectionEnd();
        dw->sectionEntities();
        for (const DrawEntity& e : entities()) writeEntity(*dw, e);
        dw->sectionEnd();
        dw->dxfEOF();
        dw->close();
    } catch (...) {
        std::remove(tmp.c_str());
        return {};
    }
    std::ifstream in(tmp, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    std::remove(tmp.c_str());
    return bytes.str();
}

int DXF::Write_MemDxf_To_File(const std::string& path) const {
    std::string bytes = formatDxf();
    if (bytes.empty()) return 0;
    return writeFileAtomically(path, bytes);
}
