// The item data file: one format string per line, shared by the writer and the
// reader, with the count limits applied on both sides so that a count in the
// file and the blocks that follow it always agree.
#include "data/CSlideCalcData.h"

#include "platform/AtomicFile.h"
#include "platform/FieldLine.h"
#include "platform/InputDiagnostics.h"
#include "platform/LineReader.h"
#include "platform/TextEncoding.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <string_view>

namespace {

constexpr const char* kControl = "%d,%d,%d,%f\n";
constexpr const char* kBasic = "%f,%f,%f,%d,%f,%d,%f,%d,%f,%f,%f,%f,%d\n";
constexpr const char* kCounts = "%d,%d,%d,%f,%f,%f\n";
constexpr const char* kSegment = "%.5f,%.5f,%d,%f,%f\n";
constexpr const char* kLoad = "%.5f,%.5f,%.5f\n";
constexpr const char* kPiles = "%d,%f,%f,%d,%f,%d,%d,%d,%f,%f,%f,%d,%f,%f\n";
constexpr const char* kLayer = "%f,%f,%f,%f,%f\n";
constexpr const char* kRowFactor = "%f,";
constexpr const char* kCandidates = "%f,%d\n";
constexpr const char* kPileKind = "%d,%d,%f,%f,%f,%f,%f,%f,%f,%f,%d\n";
constexpr const char* kBerm = "%d,%f,%f,%f,%f,%f,%f,%d,%f\n";
constexpr const char* kRange = "%f,%f,%f\n";
constexpr const char* kUnload = "%d,%f,%f,%d,%f,%f\n";

// What a commented file says above each line: its fields, in the line's order,
// with their units and codes, as the input tables name them.
constexpr const char* kHeadNote =
    "Talvor 计算数据文件: 以 // 开头的行是注释, 读入时跳过; 其余各行的数值以逗号分隔, "
    "行的顺序和每行数值的顺序不可改变";
constexpr const char* kControlNote =
    "计算目标 0 验算校核 / 1 自动设计, 自动设计目标 0 抗滑桩 / 1 反压码 / 2 刷方减载, "
    "验算校核目标 0 抗滑桩安全系数 / 1 滑坡推力 / 2 抗滑桩桩身内力 / 3 已知C反算φ / "
    "4 已知φ反算C, 滑坍边坡纵向长度(m)";
constexpr const char* kBasicNote =
    "滑体土重度(kN/m3), 滑体土饱和重度(kN/m3), 计算滑坡推力时的安全系数, "
    "考虑动水压力和浮托力 0 否 / 1 是, 滑体土的孔隙度, 考虑承压水的浮托力 0 否 / 1 是, "
    "承压水水头高(m), 地震烈度 0 不考虑 / 1 7度 / 2 8度 / 3 9度, 地震力计算综合影响系数, "
    "地震力计算重要性修正系数, 最大的C值(kPa), 最大的φ值(度), "
    "考虑坡面以上的静水压力 0 否 / 1 是";
constexpr const char* kCountsNote =
    "滑面线段数, 坡面线段数, 水面线段数 (每条线的各段依次列在下面), 坡面线起始点坐标X(m), "
    "水面线起始点坐标X(m), 水面线起始点坐标Y(m)";
// Segment notes name the line and the segment; only the fields the line uses matter.
constexpr const char* kSlipNote =
    "滑面线第 %d 段: 水平投影长(m), 竖向投影长(m), 附加荷载数(不用), 粘聚力(kPa), 摩擦角(度)";
constexpr const char* kSlopeNote =
    "坡面线第 %d 段: 水平投影长(m), 竖向投影长(m), 附加荷载数(荷载各占一行, 列在下面), "
    "粘聚力(不用), 摩擦角(不用)";
constexpr const char* kWaterNote = "水面线第 %d 段: 水平投影长(m), 竖向投影长(m), 其余三项不用";
constexpr const char* kUnloadSegNote = "刷方线第 %d 段: 水平投影长(m), 竖向投影长(m), 其余三项不用";
constexpr const char* kLoadNote = "附加荷载 %d-%d: 距离(m), X 分量(kN), Y 分量(kN)";
constexpr const char* kPilesNote =
    "是否采用桩 0 不采用 / 1 采用, 第一排桩的定位坐标X(m), 桩的间距(m), 桩的排数, 桩的排距(m), "
    "嵌入段土层数 (各层列在下面), 桩底支承条件 0 自由 / 1 铰接 / 2 固定, "
    "计算方法 0 M法 / 1 C法 / 2 K法, 初始弹性系数A1(MN/m3), 初始弹性系数A(MN/m3), "
    "桩顶锚索水平刚度(MN/m), 滑坡推力分布类型 0 矩形 / 1 三角形 / 2 梯形, 滑坡推力调整系数, "
    "梯形荷载q1/q2(0-2.0)";
constexpr const char* kLayerNote =
    "第 %d 土层: 土层厚(m), 重度(kN/m3), M(MN/m4), C(MN/m3.5), K(MN/m3)";
constexpr const char* kRowFactorNote = "每排桩的承载力发挥系数, 第 1 排至第 20 排";
constexpr const char* kCandidatesNote =
    "自动设计时的最小桩间距(m), 自动设计时可选择的桩数 (各种桩列在下面)";
constexpr const char* kPileKindNote =
    "第 %d 种桩: 桩材料 0 钢筋混凝土 / 1 钢轨 / 2 木桩 / 3 钢桩, "
    "截面形状 0 圆形 / 1 方形 / 2 其他, 尺寸参数1(圆桩直径或方桩宽 cm / 惯性矩 cm4 / "
    "钢轨型号 kg/m), 尺寸参数2(方桩高或截面宽 cm), 桩长(m), 嵌入深度(m), 极限承载力(kN), "
    "材料造价(元/桩), 施工造价(元/桩), 施工工期(人天/桩), "
    "混凝土等级 0 C10 / 1 C15 / 2 C20 / 3 C25 / 4 C30 / … / 10 C60";
constexpr const char* kBermNote =
    "是否采用反压码 0 不采用 / 1 采用, 反压码的定位坐标X(m), 反压码高度(m), 反压码坡度(1:n), "
    "反压码容重(kN/m3), 每方反压码的造价(元/方), 每方反压码的工期(人天/方), "
    "反压码自动设计类型 0 自动设计H / 1 自动设计X0, 反压码饱和容重(kN/m3)";
constexpr const char* kBermHNote = "自动设计H的最小值(m), 最大值(m), 每步增量(m)";
constexpr const char* kBermXNote = "自动设计X0的最小值(m), 最大值(m), 每步增量(m)";
constexpr const char* kUnloadNote =
    "是否采用上部刷方减载 0 不采用 / 1 采用, 备用(不用), 刷方减载起始定位坐标Y(m), "
    "刷方线的段数 (各段列在下面), 刷方的造价(元/方), 刷方的工期(人天/方)";
constexpr const char* kUnloadYNote =
    "自动设计刷方时: 最小的起始定位坐标Y(m), 最大的起始定位坐标Y(m), Y坐标的变化步长(m)";
constexpr const char* kBookNote = "项目描述 (##Name, 之后的文字) 和结果视图 (##ChaXun)";

// Comment lines stay well inside the 289 bytes a line may take in GBK; a long
// note is broken between its fields.
constexpr int kNoteWidth = 150;

// No slope reaches this far (metres); coordinates and lengths beyond it are named.
constexpr float kSlopeReach = 1e6f;
constexpr const char* kFarOffText = "超出边坡的范围 (±1000000 m), 按原值读";

// Counts are held down to their limit only; a negative count stays as it is
// and reads or writes no blocks.
void holdTo(int& count, int limit) {
    count = std::min(count, limit);
}
void holdInto(int& value, int lo, int hi) {
    value = std::clamp(value, lo, hi);
}

// The note as "//" lines of at most kNoteWidth GBK bytes, broken after a
// field's comma.
std::string commentLines(std::string_view note) {
    std::string out, line = "//";
    size_t begin = 0;
    while (begin < note.size()) {
        size_t comma = note.find(", ", begin);
        size_t end = comma == std::string_view::npos ? note.size() : comma + 1;
        std::string_view field = note.substr(begin, end - begin);
        if (line.size() > 2 && gbkWidth(line) + 1 + gbkWidth(field) > kNoteWidth) {
            out += line + "\n";
            line = "//  ";
        }
        line += " ";
        line += field;
        begin = end == note.size() ? end : end + 1;
    }
    return out + line + "\n";
}

// A note naming a numbered segment, layer or load.
std::string numbered(const char* note, int a, int b = 0) {
    char text[512];
    std::snprintf(text, sizeof text, note, a, b);
    return text;
}

// The lines of the calculation-book part that follows the numbers.
bool isTailLine(const std::string& line) {
    return line.find("##Name") != std::string::npos || line.find("##ChaXun") != std::string::npos;
}

// Writing and reading share these: one place lists each line's fields, with
// the names the diagnostics give them and the note a commented file shows.
struct LineIo {
    // Writer: format; reader: scan.
    bool writing = false;
    std::string* out = nullptr;
    LineReader* in = nullptr;
    std::string line{};
    bool commented = false;            // the writer puts each line's note above it
    InputDiagnostics* diag = nullptr;  // reading: where the guesses are noted
    std::string prefix{};              // of the names of a segment's fields
    bool ended = false;

    void io(const char* fmt, const char* names, std::initializer_list<FieldRef> fields,
            std::string_view note) {
        if (writing) {
            if (commented) *out += commentLines(note);
            *out += formatFields(fmt, fields);
            return;
        }
        bool got = fgets_skip_comment(*in, line);
        scanFields(line, fmt, fields);
        if (diag) check(got, fmt, names);
    }

    void check(bool got, const char* fmt, const char* names) {
        if (ended) return;
        if (!got) {
            diag->add(in->lineNumber() + 1, name(names, 0), "",
                      "文件在此之前已结束, 从这一行起的各组保持原值");
            ended = true;
            return;
        }
        // The description where numbers should be: the numeric part ended
        // early and everything from here on is read out of place.
        if (isTailLine(line)) {
            diag->add(in->lineNumber(), name(names, 0), line,
                      "数据部分在此之前已结束, 从这一行起的各组未读, 保持原值");
            ended = true;
            return;
        }
        for (const FieldIssue& issue : checkFieldLine(line, fmt))
            diag->add(in->lineNumber(), name(names, issue.field), issue.found,
                      FieldIssueText(issue));
    }

    // A value the reader holds to a range, noted on the line just read; the
    // holding itself is done where the format does it.
    void noteHeld(int value, int lo, int hi, const std::string& field) {
        if (writing || !diag || ended || (value >= lo && value <= hi)) return;
        int held = std::clamp(value, lo, hi);
        std::string range = lo == INT_MIN
                                ? "超过上限 " + std::to_string(hi)
                                : "超出 " + std::to_string(lo) + ".." + std::to_string(hi);
        diag->add(in->lineNumber(), prefix + field, std::to_string(value),
                  range + ", 按 " + std::to_string(held) + " 读");
    }

    // A coordinate or length in metres beyond any slope: read as it stands,
    // but named, since it is almost surely a slip of the keyboard or a unit.
    void noteFarOff(float value, const std::string& field) {
        if (writing || !diag || ended || !(std::fabs(value) > kSlopeReach)) return;
        char text[64];
        std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
        diag->add(in->lineNumber(), prefix + field, text, kFarOffText);
    }

    // Field i of a comma-separated name list, after the prefix; a value past
    // the list is named by its place.
    std::string name(const char* names, int i) const {
        std::string_view all(names);
        for (int k = 0; k < i; ++k) {
            size_t comma = all.find(',');
            if (comma == std::string_view::npos)
                return prefix + "第" + std::to_string(i + 1) + "个值";
            all.remove_prefix(comma + 1);
        }
        return prefix + std::string(all.substr(0, all.find(',')));
    }

    // Numbered notes are formatted only for a commented file.
    std::string note(const char* fmt, int a, int b = 0) const {
        return commented ? numbered(fmt, a, b) : std::string();
    }
};

// Diagnostics count segments, loads, layers and pile kinds from 1, as the
// tables do: "slip[3].dx".
std::string indexed(const char* group, int i) {
    return std::string(group) + "[" + std::to_string(i + 1) + "]";
}

void segmentBlock(LineIo& f, CLineSeg& s, const char* note, int number) {
    f.io(kSegment, "dx,dy,loadCount,c,phi", {&s.dx, &s.dy, &s.loadCount, &s.c, &s.phi},
         f.note(note, number));
    f.noteFarOff(s.dx, "dx");
    f.noteFarOff(s.dy, "dy");
    f.noteHeld(s.loadCount, INT_MIN, CLineSeg::kMaxLoads, "loadCount");
    holdTo(s.loadCount, CLineSeg::kMaxLoads);
    const std::string segment = f.prefix;
    for (int i = 0; i < s.loadCount; ++i) {
        CPointLoad& p = s.loads[i];
        f.prefix = segment + indexed("loads", i) + ".";
        f.io(kLoad, "dist,px,py", {&p.dist, &p.px, &p.py}, f.note(kLoadNote, number, i + 1));
        f.noteFarOff(p.dist, "dist");
    }
    f.prefix.clear();
}

void segmentBlocks(LineIo& f, const char* group,
                   std::array<CLineSeg, CSlideCalcData::kMaxSegments>& line, int& count,
                   const char* note) {
    holdTo(count, CSlideCalcData::kMaxSegments);
    for (int i = 0; i < count; ++i) {
        f.prefix = indexed(group, i) + ".";
        segmentBlock(f, line[i], note, i + 1);
    }
}

// "%f," twenty times: the row-factor line as the diagnostics see it.
std::string rowFactorFormat() {
    std::string fmt;
    for (int i = 0; i < CSlideCalcData::kMaxRows; ++i) fmt += kRowFactor;
    return fmt;
}

void rowFactors(LineIo& f, std::array<float, CSlideCalcData::kMaxRows>& factors) {
    if (f.writing) {
        if (f.commented) *f.out += commentLines(kRowFactorNote);
        for (float& v : factors) *f.out += formatFields(kRowFactor, {&v});
        *f.out += "\n";
        return;
    }
    bool got = fgets_skip_comment(*f.in, f.line);
    NextValueScanner scan;
    scan.sscanf_next_begin();
    for (float& v : factors) scan.sscanf_next(f.line, "%f", &v);
    if (f.diag)
        f.check(got, rowFactorFormat().c_str(),
                "rowFactor[1],rowFactor[2],rowFactor[3],rowFactor[4],rowFactor[5],rowFactor[6],"
                "rowFactor[7],rowFactor[8],rowFactor[9],rowFactor[10],rowFactor[11],"
                "rowFactor[12],rowFactor[13],rowFactor[14],rowFactor[15],rowFactor[16],"
                "rowFactor[17],rowFactor[18],rowFactor[19],rowFactor[20]");
}

void range(LineIo& f, const char* name, CValueRange& r, const char* note) {
    f.prefix = std::string(name) + ".";
    f.io(kRange, "minValue,maxValue,step", {&r.minValue, &r.maxValue, &r.step}, note);
    f.noteFarOff(r.minValue, "minValue");
    f.noteFarOff(r.maxValue, "maxValue");
    f.noteFarOff(r.step, "step");
    f.prefix.clear();
}

void controlAndBasic(LineIo& f, CSlideCalcData& d) {
    f.io(kControl, "goal,designTarget,checkTarget,slopeLength",
         {&d.goal, &d.designTarget, &d.checkTarget, &d.slopeLength}, kControlNote);
    f.noteFarOff(d.slopeLength, "slopeLength");
    if (!f.writing) {
        f.noteHeld(d.goal, 0, 1, "goal");
        f.noteHeld(d.designTarget, 0, 2, "designTarget");
        f.noteHeld(d.checkTarget, 0, 4, "checkTarget");
        holdInto(d.goal, 0, 1);
        holdInto(d.designTarget, 0, 2);
        holdInto(d.checkTarget, 0, 4);
    }
    f.io(kBasic,
         "gamma,gammaSat,thrustSafetyFactor,useSeepage,porosity,useConfinedWater,confinedHead,"
         "quakeLevel,quakeCz,quakeCi,maxC,maxPhi,useStaticWater",
         {&d.gamma, &d.gammaSat, &d.thrustSafetyFactor, &d.useSeepage, &d.porosity,
          &d.useConfinedWater, &d.confinedHead, &d.quakeLevel, &d.quakeCz, &d.quakeCi, &d.maxC,
          &d.maxPhi, &d.useStaticWater},
         kBasicNote);
}

void sectionLines(LineIo& f, CSlideCalcData& d) {
    f.io(kCounts, "slipCount,slopeCount,waterCount,slopeX0,waterX0,waterY0",
         {&d.slipCount, &d.slopeCount, &d.waterCount, &d.slopeX0, &d.waterX0, &d.waterY0},
         kCountsNote);
    f.noteFarOff(d.slopeX0, "slopeX0");
    f.noteFarOff(d.waterX0, "waterX0");
    f.noteFarOff(d.waterY0, "waterY0");
    f.noteHeld(d.slipCount, INT_MIN, CSlideCalcData::kMaxSegments, "slipCount");
    f.noteHeld(d.slopeCount, INT_MIN, CSlideCalcData::kMaxSegments, "slopeCount");
    f.noteHeld(d.waterCount, INT_MIN, CSlideCalcData::kMaxSegments, "waterCount");
    segmentBlocks(f, "slip", d.slip, d.slipCount, kSlipNote);
    segmentBlocks(f, "slope", d.slope, d.slopeCount, kSlopeNote);
    segmentBlocks(f, "water", d.water, d.waterCount, kWaterNote);
}

void piles(LineIo& f, CSlideCalcData& d) {
    if (f.writing) {
        holdTo(d.layerCount, CSlideCalcData::kMaxLayers);
        holdTo(d.pileRows, CSlideCalcData::kMaxRows);
    }
    f.io(kPiles,
         "usePiles,pileX,pileSpacing,pileRows,rowSpacing,layerCount,baseCondition,elasticMethod,"
         "coefA1,coefA,anchorStiffness,thrustShape,thrustAdjust,trapezoidRatio",
         {&d.usePiles, &d.pileX, &d.pileSpacing, &d.pileRows, &d.rowSpacing, &d.layerCount,
          &d.baseCondition, &d.elasticMethod, &d.coefA1, &d.coefA, &d.anchorStiffness,
          &d.thrustShape, &d.thrustAdjust, &d.trapezoidRatio},
         kPilesNote);
    f.noteFarOff(d.pileX, "pileX");
    f.noteFarOff(d.pileSpacing, "pileSpacing");
    f.noteFarOff(d.rowSpacing, "rowSpacing");
    f.noteHeld(d.layerCount, INT_MIN, CSlideCalcData::kMaxLayers, "layerCount");
    f.noteHeld(d.pileRows, INT_MIN, CSlideCalcData::kMaxRows, "pileRows");
    holdTo(d.layerCount, CSlideCalcData::kMaxLayers);
    for (int i = 0; i < d.layerCount; ++i) {
        f.prefix = indexed("layer", i) + ".";
        f.io(kLayer, "layerThickness,layerGamma,layerM,layerC,layerK",
             {&d.layerThickness[i], &d.layerGamma[i], &d.layerM[i], &d.layerC[i], &d.layerK[i]},
             f.note(kLayerNote, i + 1));
        f.noteFarOff(d.layerThickness[i], "layerThickness");
    }
    f.prefix.clear();
    holdTo(d.pileRows, CSlideCalcData::kMaxRows);
    rowFactors(f, d.rowFactor);
}

void pileKinds(LineIo& f, CSlideCalcData& d) {
    if (f.writing) holdTo(d.pileKindCount, CSlideCalcData::kMaxPileKinds);
    f.io(kCandidates, "minPileSpacing,pileKindCount", {&d.minPileSpacing, &d.pileKindCount},
         kCandidatesNote);
    f.noteHeld(d.pileKindCount, INT_MIN, CSlideCalcData::kMaxPileKinds, "pileKindCount");
    holdTo(d.pileKindCount, CSlideCalcData::kMaxPileKinds);
    for (int i = 0; i < d.pileKindCount; ++i) {
        CPileKind& k = d.pileKinds[i];
        f.prefix = indexed("pileKinds", i) + ".";
        f.io(kPileKind,
             "material,section,size1,size2,length,embedDepth,capacity,materialCost,buildCost,"
             "buildDays,concreteGrade",
             {&k.material, &k.section, &k.size1, &k.size2, &k.length, &k.embedDepth, &k.capacity,
              &k.materialCost, &k.buildCost, &k.buildDays, &k.concreteGrade},
             f.note(kPileKindNote, i + 1));
        f.noteFarOff(k.length, "length");
        f.noteFarOff(k.embedDepth, "embedDepth");
    }
    f.prefix.clear();
}

void bermAndUnloading(LineIo& f, CSlideCalcData& d) {
    f.io(kBerm,
         "useBerm,bermX,bermH,bermSlope,bermGamma,bermCost,bermDays,bermDesignMode,bermGammaSat",
         {&d.useBerm, &d.bermX, &d.bermH, &d.bermSlope, &d.bermGamma, &d.bermCost, &d.bermDays,
          &d.bermDesignMode, &d.bermGammaSat},
         kBermNote);
    f.noteFarOff(d.bermX, "bermX");
    f.noteFarOff(d.bermH, "bermH");
    range(f, "bermHRange", d.bermHRange, kBermHNote);
    range(f, "bermXRange", d.bermXRange, kBermXNote);

    if (f.writing) holdTo(d.unloadCount, CSlideCalcData::kMaxUnloadSegs);
    f.io(kUnload, "useUnload,unloadSpare,unloadY,unloadCount,unloadCost,unloadDays",
         {&d.useUnload, &d.unloadSpare, &d.unloadY, &d.unloadCount, &d.unloadCost, &d.unloadDays},
         kUnloadNote);
    f.noteFarOff(d.unloadY, "unloadY");
    f.noteHeld(d.unloadCount, INT_MIN, CSlideCalcData::kMaxUnloadSegs, "unloadCount");
    holdTo(d.unloadCount, CSlideCalcData::kMaxUnloadSegs);
    for (int i = 0; i < d.unloadCount; ++i) {
        f.prefix = indexed("unloadSegs", i) + ".";
        segmentBlock(f, d.unloadSegs[i], kUnloadSegNote, i + 1);
    }
    range(f, "unloadYRange", d.unloadYRange, kUnloadYNote);
}

// Items 2 to 16 of the file, in order.
void dataLines(LineIo& f, CSlideCalcData& d) {
    controlAndBasic(f, d);
    sectionLines(f, d);
    piles(f, d);
    pileKinds(f, d);
    bermAndUnloading(f, d);
}

// Lines between the numeric part and the description are passed over by the
// reading; a line left over there means the lines above were read shifted.
void noteLeftOverLines(LineReader in, InputDiagnostics& diag) {
    std::string line;
    int first = 0, count = 0;
    std::string firstText;
    while (fgets_skip_comment(in, line)) {
        if (isTailLine(line)) break;
        if (line.find_first_not_of(" \t") == std::string::npos) continue;
        if (count++ == 0) {
            first = in.lineNumber();
            firstText = line;
        }
    }
    if (count > 0)
        diag.add(first, "", firstText,
                 "数据之后多出 " + std::to_string(count) + " 行, 未读 (其上各行可能错位)");
}

}  // namespace

std::string CSlideCalcData::FormatDataFile(DataFileStyle style) {
    std::string text;
    SetBiaoShi(text, kMark);
    LineIo f{.writing = true,
             .out = &text,
             .in = nullptr,
             .commented = style == DataFileStyle::Commented};
    if (f.commented) text += commentLines(kHeadNote);
    dataLines(f, *this);
    if (f.commented) text += commentLines(kBookNote);
    SaveData(text);
    return utf8ToGbk(text);
}

int CSlideCalcData::ParseDataFile(LineReader& in, InputDiagnostics* diagnostics) {
    LineReader markLine = in;
    if (!CheckBiaoShi(in, kMark)) {
        std::string first;
        if (diagnostics) markLine.nextLine(first);
        if (diagnostics)
            diagnostics->add(1, "", first,
                             std::string("不是计算数据文件 (第一行应为 ") + kMark + ")");
        return 0;
    }
    LineIo f{.writing = false, .out = nullptr, .in = &in, .diag = diagnostics};
    dataLines(f, *this);
    if (diagnostics && !f.ended) noteLeftOverLines(in, *diagnostics);
    LoadData(in);
    return 1;
}

int CSlideCalcData::WriteDataFile(const std::string& path) {
    AtomicFileWriter writer;
    return WriteDataFile(path, writer);
}

int CSlideCalcData::WriteDataFile(const std::string& path, AtomicFileWriter& writer) {
    // The engineer's previous version stays beside the file, as a backup of
    // its whole name, so that it never takes the project's "Talvor.BAK".
    if (!writer.writeKeepingPrevious(path, FormatDataFile())) return 0;
    SetFileName_(path);
    return 1;
}

int CSlideCalcData::ReadDataFile(const std::string& path) {
    return ReadDataFile(path, nullptr);
}

int CSlideCalcData::ReadDataFile(const std::string& path, InputDiagnostics* diagnostics) {
    std::string why;
    std::optional<std::string> bytes = readFileBytes(path, kMaxDataFileBytes, &why);
    if (!bytes) {
        if (diagnostics) diagnostics->fileRefused(path, why);
        return 0;
    }
    return ReadDataBytes(*bytes, path, diagnostics);
}

int CSlideCalcData::ReadDataBytes(std::string_view bytes, const std::string& name,
                                  InputDiagnostics* diagnostics) {
    if (bytes.size() > kMaxDataFileBytes) {
        if (diagnostics)
            diagnostics->fileRefused(name, tooLargeText(bytes.size(), kMaxDataFileBytes));
        return 0;
    }
    LineReader in(decodeFileText(bytes));
    if (diagnostics) diagnostics->setFile(name);
    if (!ParseDataFile(in, diagnostics)) return 0;
    SetFileName_(name);
    return 1;
}
