// Reading a DXF file into a drawing through dxflib: lines, polylines (R12
// POLYLINE with vertex widths, LWPOLYLINE), circles, texts and block
// insertions, which are exploded. "By layer" colours and line types take the
// layer's; "by block" ones the inserting block's.
#include "platform/Drawing.h"

#include "platform/TextEncoding.h"

#include <dxflib/dl_creationadapter.h>
#include <dxflib/dl_dxf.h>

#include <algorithm>
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
                if (cp < 0x80) {
                    out += static_cast<char>(cp);
                } else if (cp < 0x800) {
                    out += static_cast<char>(0xC0 | (cp >> 6));
                    out += static_cast<char>(0x80 | (cp & 0x3F));
                } else {
                    out += static_cast<char>(0xE0 | (cp >> 12));
                    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
                    out += static_cast<char>(0x80 | (cp & 0x3F));
                }
                i += 6;
                continue;
            }
        }
        out += s[i];
    }
    return out;
}

class DrawingReader : public DL_CreationAdapter {
  public:
    explicit DrawingReader(DL_Dxf& dxf) : m_dxf(dxf) {}

    int sections = 0;
    std::map<std::string, BlockContent> blocks;
    BlockContent model;
    std::vector<DrawTextStyle> styles;
    std::vector<DrawLineType> lineTypes;

    void processCodeValuePair(unsigned int code, const std::string& value) override {
        if (code == 0 && value == "SECTION") ++sections;
    }

    void setVariableString(const std::string& key, const std::string& value, int) override {
        // From R2007 on, texts are UTF-8 whatever the code page says.
        if (key == "$ACADVER") m_utf8 = value >= "AC1021";
    }

    void addLayer(const DL_LayerData& data) override {
        LayerInfo info;
        info.color = std::abs(attributes.getColor());
        if (info.color == 0 || info.color > 255) info.color = DrawColor::kWhite;
        std::string lt = upper(attributes.getLinetype());
        if (!lt.empty() && lt != "BYLAYER" && lt != "BYBLOCK") info.lineType = lt;
        m_layers[data.name] = info;
    }

    void addLinetype(const DL_LinetypeData& data) override {
        lineTypes.push_back({upper(data.name), decodeText(data.description), {}});
    }
    void addLinetypeDash(double length) override {
        if (!lineTypes.empty()) lineTypes.back().pattern.push_back(static_cast<float>(length));
    }

    void addTextStyle(const DL_StyleData& data) override {
        styles.push_back({data.name, data.primaryFontFile, data.bigFontFile,
                          static_cast<float>(data.fixedTextHeight),
                          data.widthFactor > 0 ? static_cast<float>(data.widthFactor) : 1.0f});
    }

    void addBlock(const DL_BlockData& data) override {
        m_block = &blocks[data.name];
        m_block->baseX = static_cast<float>(data.bpx);
        m_block->baseY = static_cast<float>(data.bpy);
    }
    void endBlock() override { m_block = nullptr; }

    void addLine(const DL_LineData& d) override {
        DrawEntity e = make(DrawEntityKind::Line);
        e.points = {vertex(d.x1, d.y1), vertex(d.x2, d.y2)};
        target().entities.push_back(std::move(e));
    }

    void addPolyline(const DL_PolylineData& d) override {
        DrawEntity e = make(DrawEntityKind::Polyline);
        e.closed = (d.flags & 1) != 0;
        m_defaultStart = static_cast<float>(m_dxf.getRealValue(40, 0.0));
        m_defaultEnd = static_cast<float>(m_dxf.getRealValue(41, 0.0));
        target().entities.push_back(std::move(e));
        m_polyline = &target().entities.back();
    }

    void addVertex(const DL_VertexData& d) override {
        if (!m_polyline) return;
        DrawVertex v = vertex(d.x, d.y);
        v.startWidth = static_cast<float>(m_dxf.getRealValue(40, m_defaultStart));
        v.endWidth = static_cast<float>(m_dxf.getRealValue(41, m_defaultEnd));
        m_polyline->points.push_back(v);
    }

    void endSequence() override { m_polyline = nullptr; }

    void addCircle(const DL_CircleData& d) override {
        DrawEntity e = make(DrawEntityKind::Circle);
        e.points = {vertex(d.cx, d.cy)};
        e.radius = static_cast<float>(d.radius);
        target().entities.push_back(std::move(e));
    }

    void addText(const DL_TextData& d) override;

    void addInsert(const DL_InsertData& d) override {
        BlockInsert ins;
        ins.name = d.name;
        ins.x = static_cast<float>(d.ipx);
        ins.y = static_cast<float>(d.ipy);
        ins.sx = static_cast<float>(d.sx);
        ins.sy = static_cast<float>(d.sy);
        ins.angle = static_cast<float>(d.angle);
        ins.cols = std::max(1, d.cols);
        ins.rows = std::max(1, d.rows);
        ins.colSpacing = static_cast<float>(d.colSp);
        ins.rowSpacing = static_cast<float>(d.rowSp);
        ins.color = make(DrawEntityKind::Line).color;
        target().inserts.push_back(ins);
    }

  private:
    BlockContent& target() {
        // A new entity ends the polyline before it even without a SEQEND.
        m_polyline = nullptr;
        return m_block ? *m_block : model;
    }

    static DrawVertex vertex(double x, double y) {
        return {static_cast<float>(x), static_cast<float>(y), 0.0f, 0.0f};
    }

    std::string decodeText(const std::string& raw) const {
        std::string s = m_utf8 ? raw : decodeFileText(raw);
        return expandUnicodeEscapes(s);
    }

    DrawEntity make(DrawEntityKind kind) const {
        DrawEntity e;
        e.kind = kind;
        e.layer = attributes.getLayer();
        auto layer = m_layers.find(e.layer);
        LayerInfo info = layer != m_layers.end() ? layer->second : LayerInfo{};
        int color = attributes.getColor();
        e.ownColor = color;
        e.color = color == DrawColor::kByLayer || color < 0 || color > 256 ? info.color : color;
        std::string lt = upper(attributes.getLinetype());
        e.lineType = lt.empty() || lt == "BYLAYER" || lt == "BYBLOCK" ? info.lineType : lt;
        return e;
    }

    DL_Dxf& m_dxf;
    bool m_utf8 = false;
    std::map<std::string, LayerInfo> m_layers;
    BlockContent* m_block = nullptr;
    DrawEntity* m_polyline = nullptr;
    float m_defaultStart = 0.0f, m_defaultEnd = 0.0f;
};

void DrawingReader::addText(const DL_TextData& d) {
    DrawEntity e = make(DrawEntityKind::Text);
    e.text = decodeText(d.text);
    e.style = d.style.empty() ? kStandardStyle : d.style;
    e.height = static_cast<float>(d.height);
    e.widthFactor = d.xScaleFactor > 0 ? static_cast<float>(d.xScaleFactor) : 1.0f;
    // dxflib hands the angle over in radians.
    e.angle = static_cast<float>(d.angle * 180.0 / M_PI);
    double x = d.ipx, y = d.ipy;
    if (d.hJustification != 0 || d.vJustification != 0) {
        // Aligned texts are placed by their alignment point; the width is the
        // same estimate the drawing lays texts out with.
        float w = static_cast<float>(gbkWidth(e.text)) * 0.8f * e.height * e.widthFactor;
        x = d.apx;
        y = d.apy;
        if (d.hJustification == 1 || d.hJustification == 4) x -= w / 2;
        if (d.hJustification == 2) x -= w;
        if (d.vJustification == 2) y -= e.height / 2;
        if (d.vJustification == 3) y -= e.height;
    }
    e.points = {vertex(x, y)};
    target().entities.push_back(std::move(e));
}

// Copies the entities of a block, and of the blocks it inserts, into `out`;
// false when that would take `out` past kMaxEntities.
bool explode(const DrawingReader& r, const BlockInsert& ins, int depth, DXF& out) {
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
    explicit ExpansionCount(const DrawingReader& r) : m_reader(r) {}

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

    const DrawingReader& m_reader;
    std::map<std::pair<std::string, int>, Expansion> m_memo;
    std::vector<std::string> m_path;
    std::string m_why;
};

// The model space's own entities and insertions, counted; the reason when
// the drawing is too large to explode.
bool expansionWithinLimits(const DrawingReader& reader, std::string* why) {
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
    if (!std::filesystem::is_regular_file(path, ec)) return 0;
    DXF result;
    try {
        DL_Dxf dxf;
        DrawingReader reader(dxf);
        if (!dxf.in(path, &reader) || reader.sections == 0) return 0;
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
