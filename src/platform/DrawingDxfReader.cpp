// Reading a DXF file into a drawing: lines, polylines (R12 POLYLINE with
// vertex widths, LWPOLYLINE), arcs, circles, texts and block insertions, which
// are exploded. "By layer" colours and line types take the layer's; "by
// block" ones the inserting block's. Our own reader rather than dxflib's: a
// file that lies about its counts must be refused before anything is
// allocated for them, and a million lines must read in well under a second.
#include "platform/Drawing.h"

#include "platform/TextEncoding.h"

#include "platform/DxfGroupReader.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int kMaxInsertDepth = 16;
// Blocks inserting blocks can multiply a small file into billions of
// entities; a file that explodes beyond this is refused.
constexpr size_t kMaxEntities = 2'000'000;
// Every block copy costs work even when the block is empty: a block that
// inserts itself ten times, or arrays of arrays, are refused by this count.
constexpr uint64_t kMaxInsertions = 1'000'000;
// Vertices of all polylines together; a real drawing holds far fewer, and at
// 16 bytes each this bounds what a file can make us hold.
constexpr uint64_t kMaxVertices = 8'000'000;
// The least a vertex of a light-weight polyline takes in the file:
// "10\n0\n20\n0\n".
constexpr uint64_t kMinVertexBytes = 10;
// The least an entity takes: "0\nLINE\n10\n0\n20\n0\n11\n0\n21\n0\n".
constexpr uint64_t kMinEntityBytes = 27;

struct BlockInsert {
    std::string name;
    float x = 0, y = 0, sx = 1, sy = 1, angle = 0;
    int cols = 1, rows = 1;
    float colSpacing = 0, rowSpacing = 0;
    int color = DrawColor::kWhite;
};

struct BlockContent {
    float baseX = 0, baseY = 0;
    std::vector<DrawEntity> entities;
    std::vector<BlockInsert> inserts;
};

struct LayerInfo {
    int color = DrawColor::kWhite;
    std::string lineType = kContinuousLineType;
};

std::string upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// "\U+XXXX" escapes, which R2000 writers use for characters outside the code page.
std::string expandUnicodeEscapes(const std::string& s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s.compare(i, 3, "\\U+") == 0 && i + 7 <= s.size()) {
            std::string hex = s.substr(i + 3, 4);
            char* end = nullptr;
            unsigned long cp = std::strtoul(hex.c_str(), &end, 16);
            if (end == hex.c_str() + 4) {
                appendUtf8(out, static_cast<char32_t>(cp));
                i += 6;
                continue;
            }
        }
        out += s[i];
    }
    return out;
}

// What the file holds, before the insertions are exploded.
struct DxfContent {
    int sections = 0;
    std::map<std::string, BlockContent> blocks;
    BlockContent model;
    std::vector<DrawTextStyle> styles;
    std::vector<DrawLineType> lineTypes;
};

// The groups of one object (entity or table entry) between two 0 groups; the
// numbers a drawing reads are kept by code, the last one of a code winning
// (as DXF readers do), the vertices of a light-weight polyline as they come.
struct DxfObject {
    std::string type;
    int64_t line = 0;
    std::string handle, layer = "0", lineType, name, text, style, font, bigFont;
    int color = DrawColor::kByLayer;
    std::array<double, 100> real{};
    std::array<bool, 100> has{};
    std::vector<float> dashes;
    int64_t declaredVertices = -1;

    void reset(std::string_view newType, int64_t at) {
        type.assign(newType);
        line = at;
        handle.clear();
        layer = "0";
        lineType.clear();
        name.clear();
        text.clear();
        style.clear();
        font.clear();
        bigFont.clear();
        color = DrawColor::kByLayer;
        has.fill(false);
        dashes.clear();
        declaredVertices = -1;
    }
    double get(int code, double fallback) const {
        return code >= 0 && code < 100 && has[code] ? real[code] : fallback;
    }
};

// A number of the file as a float: what cannot be read, or is not finite as
// a float, is 0 (a drawing cannot place it anyway).
float finite(double v) {
    float f = static_cast<float>(v);
    return std::isfinite(f) ? f : 0.0f;
}

// A number of the file held to lo..hi before it becomes an int.
int intOf(double v, int lo, int hi) {
    return static_cast<int>(std::clamp(v, static_cast<double>(lo), static_cast<double>(hi)));
}

DrawVertex vertex(double x, double y) {
    return {finite(x), finite(y), 0.0f, 0.0f};
}

// Reads the sections of a DXF file group by group into DxfContent: the
// header's version, the layer, line type and style tables, the blocks and the
// model space's LINE, LWPOLYLINE, POLYLINE/VERTEX, ARC, CIRCLE, TEXT and
// INSERT. Everything else is passed over without being kept. Counts a file
// declares are held to what its remaining bytes can hold before anything is
// reserved for them.
class DxfParser {
  public:
    DxfParser(DxfGroupReader& in, DxfContent& out) : m_in(in), m_out(out) {}

    // False with the reason (empty for a file that is not DXF at all).
    bool parse(std::string* why);

  private:
    bool group(const DxfGroup& g);
    bool finish();
    void finishTableEntry();
    void finishEntity();
    bool lwVertexGroup(const DxfGroup& g);
    bool refuse(const std::string& text) {
        m_why = text;
        return false;
    }
    std::string named() const {
        std::string s = m_obj.type;
        if (!m_obj.handle.empty())
            s += " (句柄 " + m_obj.handle + ", 第 " + std::to_string(m_obj.line) + " 行)";
        else
            s += " (第 " + std::to_string(m_obj.line) + " 行)";
        return s;
    }
    bool countEntity();

    BlockContent& target() {
        // A new entity ends the polyline before it even without a SEQEND.
        m_polyline = nullptr;
        return m_block ? *m_block : m_out.model;
    }
    const LayerInfo& layer() const;
    int color() const;
    DrawEntity& add(DrawEntityKind kind);
    std::string decodeText(const std::string& raw) const {
        std::string s = m_utf8 ? raw : decodeFileText(raw);
        return expandUnicodeEscapes(s);
    }
    void addText();
    void addArc();
    void addInsert();

    DxfGroupReader& m_in;
    DxfContent& m_out;
    DxfObject m_obj;
    std::string m_section;
    bool m_versionNext = false;
    bool m_utf8 = false;
    std::map<std::string, LayerInfo, std::less<>> m_layers;
    // The last layer looked up: drawings put long runs of entities on one.
    mutable std::string m_lastLayer;
    mutable LayerInfo m_lastInfo;
    mutable bool m_lastValid = false;
    BlockContent* m_block = nullptr;
    DrawEntity* m_polyline = nullptr;
    float m_defaultStart = 0.0f, m_defaultEnd = 0.0f;
    std::vector<DrawVertex> m_lwVertices;  // one flat array, reused for every polyline
    uint64_t m_entities = 0, m_vertices = 0;
    std::string m_why;
};

bool DxfParser::parse(std::string* why) {
    // Room for as many entities as the file could hold, taken once: growing
    // the array as a million lines come in costs more than reading them. Only
    // the room the entities fill is ever touched.
    m_out.model.entities.reserve(static_cast<size_t>(
        std::min<uint64_t>(m_in.remainingBytes() / kMinEntityBytes, kMaxEntities)));
    DxfGroup g;
    bool ended = false;
    for (;;) {
        DxfGroupReader::Status s = m_in.next(g);
        if (s == DxfGroupReader::Status::End) break;
        if (s != DxfGroupReader::Status::Group) {
            // Before the first section the file is not taken for a DXF.
            if (m_out.sections > 0) {
                if (s == DxfGroupReader::Status::BadCode)
                    m_why = "第 " + std::to_string(g.line) + " 行应为组码, 图形未读入";
                else if (s == DxfGroupReader::Status::LongLine)
                    m_why = "第 " + std::to_string(m_in.line() + 1) + " 行超过 " +
                            std::to_string(DxfGroupReader::kMaxLine) + " 字节, 图形未读入";
                else
                    m_why = "文件读取出错, 图形未读入";
            }
            if (why) *why = m_why;
            return false;
        }
        if (g.code == 0 && g.value == "EOF") {
            ended = true;
            break;
        }
        if (!group(g)) {
            if (why) *why = m_why;
            return false;
        }
    }
    // A file that ends inside an object keeps what that object gave.
    if (!ended && !finish()) {
        if (why) *why = m_why;
        return false;
    }
    if (ended && !finish()) {
        if (why) *why = m_why;
        return false;
    }
    return m_out.sections > 0;
}

bool DxfParser::group(const DxfGroup& g) {
    if (g.code == 0) {
        if (!finish()) return false;
        m_obj.reset(g.value, g.line);
        return true;
    }
    if (m_obj.type == "LWPOLYLINE" && !lwVertexGroup(g)) return false;
    switch (g.code) {
        case 1:
            m_obj.text.assign(g.value);
            break;
        case 2:
            m_obj.name.assign(g.value);
            break;
        case 3:
            m_obj.font.assign(g.value);
            break;  // a style's font, a line type's description
        case 4:
            m_obj.bigFont.assign(g.value);
            break;
        case 5:
            m_obj.handle.assign(g.value);
            break;
        case 6:
            m_obj.lineType.assign(g.value);
            break;
        case 7:
            m_obj.style.assign(g.value);
            break;
        case 8:
            m_obj.layer.assign(g.value);
            break;
        case 9:
            m_versionNext = g.value == "$ACADVER";
            return true;
        case 49: {
            double d = 0;
            DxfGroupReader::toDouble(g.value, d);
            if (m_obj.dashes.size() < 64) m_obj.dashes.push_back(finite(d));
            break;
        }
        case 62: {
            int64_t c = DrawColor::kByLayer;
            if (DxfGroupReader::toInt(g.value, c))
                m_obj.color = static_cast<int>(std::clamp<int64_t>(c, -1000, 1000));
            break;
        }
        default:
            if (g.code < 100) {
                double d = 0;
                if (DxfGroupReader::toDouble(g.value, d) && std::isfinite(d)) {
                    m_obj.real[g.code] = d;
                    m_obj.has[g.code] = true;
                }
            }
    }
    if (g.code == 1 && m_versionNext)
        m_utf8 = g.value >= "AC1021";  // from R2007 on, texts are UTF-8
    m_versionNext = false;
    return true;
}

bool DxfParser::lwVertexGroup(const DxfGroup& g) {
    if (g.code == 90) {
        int64_t n = 0;
        // Each vertex takes at least its two coordinate groups: "10\n0\n20\n0\n".
        const uint64_t fits = m_in.remainingBytes() / kMinVertexBytes;
        if (!DxfGroupReader::toInt(g.value, n) || n < 0 || static_cast<uint64_t>(n) > fits ||
            static_cast<uint64_t>(n) > kMaxVertices)
            return refuse(named() + " 声称有 " + std::string(g.value) + " 个顶点, 文件余下的 " +
                          std::to_string(m_in.remainingBytes()) + " 字节容不下, 图形未读入");
        m_obj.declaredVertices = n;
        m_lwVertices.reserve(static_cast<size_t>(n));
        return true;
    }
    double d = 0;
    DxfGroupReader::toDouble(g.value, d);
    if (g.code == 10) {
        // Vertices beyond the declared count are not the polyline's.
        if (m_obj.declaredVertices >= 0 &&
            m_lwVertices.size() >= static_cast<uint64_t>(m_obj.declaredVertices))
            return true;
        if (++m_vertices > kMaxVertices)
            return refuse("图形的顶点超过 " + std::to_string(kMaxVertices) + " 个, 图形未读入");
        m_lwVertices.push_back({finite(d), 0.0f, -1.0f, -1.0f});
    } else if (!m_lwVertices.empty()) {
        DrawVertex& v = m_lwVertices.back();
        if (g.code == 20) v.y = finite(d);
        if (g.code == 40) v.startWidth = finite(d);
        if (g.code == 41) v.endWidth = finite(d);
    }
    return true;
}

bool DxfParser::countEntity() {
    if (++m_entities > kMaxEntities)
        return refuse("图形的图元超过 " + std::to_string(kMaxEntities) + " 个, 图形未读入");
    return true;
}

// Ends the object read so far: a section or block boundary, a table entry or
// an entity.
bool DxfParser::finish() {
    const std::string& t = m_obj.type;
    if (t.empty()) return true;
    bool ok = true;
    if (t == "SECTION") {
        ++m_out.sections;
        m_section = m_obj.name;
    } else if (t == "ENDSEC") {
        m_section.clear();
        m_block = nullptr;
    } else if (m_section == "TABLES") {
        finishTableEntry();
    } else if (m_section == "BLOCKS" || m_section == "ENTITIES") {
        if (t == "BLOCK") {
            m_polyline = nullptr;
            m_block = &m_out.blocks[m_obj.name];
            m_block->baseX = finite(m_obj.get(10, 0));
            m_block->baseY = finite(m_obj.get(20, 0));
        } else if (t == "ENDBLK") {
            m_polyline = nullptr;
            m_block = nullptr;
        } else if (t == "LINE" || t == "LWPOLYLINE" || t == "POLYLINE" || t == "CIRCLE" ||
                   t == "ARC" || t == "TEXT" || t == "INSERT") {
            ok = countEntity();
            if (ok) finishEntity();
        } else if (t == "VERTEX") {
            if (m_polyline && ++m_vertices > kMaxVertices)
                ok = refuse("图形的顶点超过 " + std::to_string(kMaxVertices) + " 个, 图形未读入");
            else if (m_polyline) {
                DrawVertex v = vertex(m_obj.get(10, 0), m_obj.get(20, 0));
                v.startWidth = finite(m_obj.get(40, m_defaultStart));
                v.endWidth = finite(m_obj.get(41, m_defaultEnd));
                m_polyline->points.push_back(v);
            }
        } else if (t == "SEQEND") {
            m_polyline = nullptr;
        }
    }
    m_lwVertices.clear();
    m_obj.type.clear();
    return ok;
}

void DxfParser::finishTableEntry() {
    if (m_obj.type == "LAYER") {
        LayerInfo info;
        info.color = std::abs(m_obj.color);
        if (info.color == 0 || info.color > 255) info.color = DrawColor::kWhite;
        std::string lt = upper(m_obj.lineType);
        if (!lt.empty() && lt != "BYLAYER" && lt != "BYBLOCK") info.lineType = lt;
        m_layers[m_obj.name] = info;
        m_lastValid = false;
    } else if (m_obj.type == "LTYPE") {
        m_out.lineTypes.push_back({upper(m_obj.name), decodeText(m_obj.font), m_obj.dashes});
    } else if (m_obj.type == "STYLE") {
        const double width = m_obj.get(41, 1.0);
        m_out.styles.push_back({m_obj.name, m_obj.font, m_obj.bigFont, finite(m_obj.get(40, 0)),
                                width > 0 ? finite(width) : 1.0f});
    }
}

const LayerInfo& DxfParser::layer() const {
    if (!m_lastValid || m_lastLayer != m_obj.layer) {
        auto layer = m_layers.find(m_obj.layer);
        m_lastInfo = layer != m_layers.end() ? layer->second : LayerInfo{};
        m_lastLayer = m_obj.layer;
        m_lastValid = true;
    }
    return m_lastInfo;
}

int DxfParser::color() const {
    const int c = m_obj.color;
    return c == DrawColor::kByLayer || c < 0 || c > 256 ? layer().color : c;
}

// Made in place: moving a million entities into the array costs as much as
// reading them.
DrawEntity& DxfParser::add(DrawEntityKind kind) {
    DrawEntity& e = target().entities.emplace_back();
    e.kind = kind;
    e.layer = m_obj.layer;
    e.ownColor = m_obj.color;
    e.color = color();
    if (m_obj.lineType.empty()) {
        e.lineType = layer().lineType;
    } else {
        std::string lt = upper(m_obj.lineType);
        e.lineType = lt == "BYLAYER" || lt == "BYBLOCK" ? layer().lineType : lt;
    }
    return e;
}

void DxfParser::finishEntity() {
    const std::string& t = m_obj.type;
    if (t == "LINE") {
        DrawEntity& e = add(DrawEntityKind::Line);
        e.points = {vertex(m_obj.get(10, 0), m_obj.get(20, 0)),
                    vertex(m_obj.get(11, 0), m_obj.get(21, 0))};
    } else if (t == "LWPOLYLINE") {
        DrawEntity& e = add(DrawEntityKind::Polyline);
        e.closed = (intOf(m_obj.get(70, 0), 0, 65535) & 1) != 0;
        const float width = finite(m_obj.get(43, 0));
        for (DrawVertex& v : m_lwVertices) {
            if (v.startWidth < 0) v.startWidth = width;
            if (v.endWidth < 0) v.endWidth = width;
        }
        e.points.assign(m_lwVertices.begin(), m_lwVertices.end());
    } else if (t == "POLYLINE") {
        DrawEntity& e = add(DrawEntityKind::Polyline);
        e.closed = (intOf(m_obj.get(70, 0), 0, 65535) & 1) != 0;
        m_defaultStart = finite(m_obj.get(40, 0));
        m_defaultEnd = finite(m_obj.get(41, 0));
        m_polyline = &e;
    } else if (t == "CIRCLE") {
        DrawEntity& e = add(DrawEntityKind::Circle);
        e.points = {vertex(m_obj.get(10, 0), m_obj.get(20, 0))};
        e.radius = finite(m_obj.get(40, 0));
    } else if (t == "ARC") {
        addArc();
    } else if (t == "TEXT") {
        addText();
    } else if (t == "INSERT") {
        addInsert();
    }
}

void DxfParser::addText() {
    DrawEntity& e = add(DrawEntityKind::Text);
    e.text = decodeText(m_obj.text);
    e.style = m_obj.style.empty() ? kStandardStyle : m_obj.style;
    e.height = finite(m_obj.get(40, 0));
    const double factor = m_obj.get(41, 1.0);
    e.widthFactor = factor > 0 ? finite(factor) : 1.0f;
    e.angle = finite(m_obj.get(50, 0));
    const int h = intOf(m_obj.get(72, 0), 0, 5), v = intOf(m_obj.get(73, 0), 0, 3);
    double x = m_obj.get(10, 0), y = m_obj.get(20, 0);
    if (h != 0 || v != 0) {
        // Aligned texts are placed by their alignment point; the width is the
        // same estimate the drawing lays texts out with.
        float w = static_cast<float>(gbkWidth(e.text)) * 0.8f * e.height * e.widthFactor;
        x = m_obj.get(11, 0);
        y = m_obj.get(21, 0);
        if (h == 1 || h == 4) x -= w / 2;
        if (h == 2) x -= w;
        if (v == 2) y -= e.height / 2;
        if (v == 3) y -= e.height;
    }
    e.points = {vertex(x, y)};
}

// An arc becomes a polyline of chords at most 5 degrees apart: the drawing
// has no arcs of its own, and at that spacing a chord strays from the arc by
// under a thousandth of the radius.
void DxfParser::addArc() {
    DrawEntity& e = add(DrawEntityKind::Polyline);
    const double cx = m_obj.get(10, 0), cy = m_obj.get(20, 0), r = m_obj.get(40, 0);
    double a0 = m_obj.get(50, 0), a1 = m_obj.get(51, 360);
    if (!std::isfinite(a0) || !std::isfinite(a1)) a0 = a1 = 0;
    double sweep = std::fmod(a1 - a0, 360.0);
    if (sweep <= 0) sweep += 360.0;
    const int steps = std::clamp(static_cast<int>(std::ceil(sweep / 5.0)), 1, 72);
    for (int i = 0; i <= steps; ++i) {
        double a = (a0 + sweep * i / steps) * M_PI / 180.0;
        e.points.push_back(vertex(cx + r * std::cos(a), cy + r * std::sin(a)));
    }
}

void DxfParser::addInsert() {
    BlockInsert ins;
    ins.name = m_obj.name;
    ins.x = finite(m_obj.get(10, 0));
    ins.y = finite(m_obj.get(20, 0));
    ins.sx = finite(m_obj.get(41, 1));
    ins.sy = finite(m_obj.get(42, 1));
    ins.angle = finite(m_obj.get(50, 0));
    ins.cols = intOf(m_obj.get(70, 1), 1, 1'000'000);
    ins.rows = intOf(m_obj.get(71, 1), 1, 1'000'000);
    ins.colSpacing = finite(m_obj.get(44, 0));
    ins.rowSpacing = finite(m_obj.get(45, 0));
    ins.color = color();
    target().inserts.push_back(ins);
}

// Copies the entities of a block, and of the blocks it inserts, into `out`;
// false when that would take `out` past kMaxEntities.
bool explode(const DxfContent& r, const BlockInsert& ins, int depth, DXF& out) {
    auto it = r.blocks.find(ins.name);
    if (it == r.blocks.end() || depth > kMaxInsertDepth) return true;
    const BlockContent& block = it->second;
    DXF content;
    for (DrawEntity e : block.entities) {
        if (e.color == DrawColor::kByBlock) e.color = ins.color;
        for (DrawVertex& v : e.points) {
            v.x -= block.baseX;
            v.y -= block.baseY;
        }
        content.addEntity(std::move(e));
    }
    for (BlockInsert inner : block.inserts) {
        inner.x -= block.baseX;
        inner.y -= block.baseY;
        if (inner.color == DrawColor::kByBlock) inner.color = ins.color;
        if (!explode(r, inner, depth + 1, content)) return false;
    }
    const int rows = std::min(ins.rows, 100), cols = std::min(ins.cols, 100);
    size_t copies = static_cast<size_t>(rows) * static_cast<size_t>(cols);
    if (out.entities().size() + content.entities().size() * copies > kMaxEntities) return false;
    for (int row = 0; row < rows; ++row)
        for (int col = 0; col < cols; ++col)
            out.InsertDxf(&content, ins.x + col * ins.colSpacing, ins.y + row * ins.rowSpacing,
                          ins.angle, ins.sx, ins.sy);
    return true;
}

// What exploding an insertion would make, counted before anything is copied.
struct Expansion {
    uint64_t entities = 0;
    uint64_t insertions = 0;
};

uint64_t saturatingAdd(uint64_t a, uint64_t b) {
    return a > UINT64_MAX - b ? UINT64_MAX : a + b;
}
uint64_t saturatingMul(uint64_t a, uint64_t b) {
    return b != 0 && a > UINT64_MAX / b ? UINT64_MAX : a * b;
}

// Counts the entities and block copies the explosion would make, with the
// same depth cut and array limits as explode(), in time proportional to the
// blocks (each block is counted once per depth). Names the block that takes
// the drawing past a limit, and the chain when a block inserts itself.
class ExpansionCount {
  public:
    explicit ExpansionCount(const DxfContent& r) : m_reader(r) {}

    // False, with the reason, when the insertion would go past a limit.
    bool count(const BlockInsert& ins, int depth, Expansion& out) {
        auto it = m_reader.blocks.find(ins.name);
        if (it == m_reader.blocks.end() || depth > kMaxInsertDepth) return true;
        auto known = m_memo.find({ins.name, depth});
        Expansion one;
        if (known != m_memo.end()) {
            one = known->second;
        } else {
            if (!countBlock(it->second, ins.name, depth, one)) return false;
            m_memo[{ins.name, depth}] = one;
        }
        const uint64_t copies = static_cast<uint64_t>(std::min(std::max(1, ins.rows), 100)) *
                                static_cast<uint64_t>(std::min(std::max(1, ins.cols), 100));
        out.entities = saturatingAdd(out.entities, saturatingMul(one.entities, copies));
        out.insertions = saturatingAdd(out.insertions, saturatingMul(one.insertions, copies));
        return within(out, ins.name);
    }

    bool within(const Expansion& e, const std::string& block) {
        if (e.insertions > kMaxInsertions) {
            m_why = "图块“" + block + "”" + cycleOf(block) + "展开后插入超过 " +
                    std::to_string(kMaxInsertions) + " 次, 图形未读入";
            return false;
        }
        if (e.entities > kMaxEntities) {
            m_why = "图块“" + block + "”" + cycleOf(block) + "展开后图元超过 " +
                    std::to_string(kMaxEntities) + " 个, 图形未读入";
            return false;
        }
        return true;
    }

    const std::string& why() const { return m_why; }

  private:
    bool countBlock(const BlockContent& block, const std::string& name, int depth, Expansion& one) {
        one.entities = block.entities.size();
        one.insertions = 1;
        m_path.push_back(name);
        bool ok = true;
        for (const BlockInsert& inner : block.inserts)
            if (!(ok = count(inner, depth + 1, one))) break;
        m_path.pop_back();
        return ok;
    }

    // " (插入了自身)" or " (经“B”插入了自身)" when the block is on its own
    // insertion path: the usual cause of an endless drawing.
    std::string cycleOf(const std::string& block) const {
        auto nearest = std::find(m_path.rbegin(), m_path.rend(), block);
        if (nearest == m_path.rend()) return {};
        std::string via;
        for (auto it = nearest.base(); it != m_path.end(); ++it) via += "“" + *it + "”";
        return via.empty() ? " (插入了自身) " : " (经" + via + "插入了自身) ";
    }

    const DxfContent& m_reader;
    std::map<std::pair<std::string, int>, Expansion> m_memo;
    std::vector<std::string> m_path;
    std::string m_why;
};

// The model space's own entities and insertions, counted; the reason when
// the drawing is too large to explode.
bool expansionWithinLimits(const DxfContent& reader, std::string* why) {
    ExpansionCount counter(reader);
    Expansion total{reader.model.entities.size(), 0};
    for (const BlockInsert& ins : reader.model.inserts) {
        if (counter.count(ins, 0, total)) continue;
        if (why) *why = counter.why();
        return false;
    }
    return true;
}

}  // namespace

int DXF::Read_FileDxf_To_Mem(const std::string& path) {
    return Read_FileDxf_To_Mem(path, nullptr);
}

int DXF::Read_FileDxf_To_Mem(const std::string& path, std::string* why) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        // A folder, a device or a pipe: never opened, a device would not end.
        if (why && std::filesystem::exists(path, ec))
            *why = "不是普通文件 (目录、设备或管道), 图形未读入";
        return 0;
    }
    DXF result;
    try {
        DxfGroupReader in;
        if (!in.open(path)) return 0;
        DxfContent reader;
        if (!DxfParser(in, reader).parse(why)) return 0;
        if (!expansionWithinLimits(reader, why)) return 0;
        for (const DrawTextStyle& s : reader.styles) result.addStyle(s);
        for (const DrawLineType& t : reader.lineTypes) result.addLineType(t);
        // Handed over whole, not copied: a drawing of a million lines would
        // otherwise be held twice.
        result.entities() = std::move(reader.model.entities);
        for (DrawEntity& e : result.entities())
            if (e.color == DrawColor::kByBlock) e.color = DrawColor::kWhite;
        for (BlockInsert ins : reader.model.inserts) {
            if (ins.color == DrawColor::kByBlock) ins.color = DrawColor::kWhite;
            if (!explode(reader, ins, 0, result)) return 0;
        }
    } catch (...) {
        if (why) *why = "图形过大, 内存不足, 未读入";
        return 0;
    }
    *this = std::move(result);
    return 1;
}
