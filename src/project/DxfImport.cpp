// Section lines from the polylines of a drawing, in file order, last one wins.
#include "project/DxfImport.h"

#include "data/CSlideCalcData.h"
#include "data/ItemOpening.h"
#include "platform/Drawing.h"
#include "platform/Sinks.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

struct LineStart {
    float x = 0.0f;
    float y = 0.0f;
};

using Segments = std::array<CLineSeg, CSlideCalcData::kMaxSegments>;

// One polyline into a line of the record: the start point scaled by k, and the
// differences of consecutive scaled vertices as segments (at most 100).
LineStart takePolyline(const DrawEntity& e, float k, int& count, Segments& line) {
    const std::vector<DrawVertex>& p = e.points;
    int n = std::min(static_cast<int>(p.size()) - 1, CSlideCalcData::kMaxSegments);
    LineStart start{p[0].x * k, p[0].y * k};
    float xPrev = start.x;
    float yPrev = start.y;
    for (int i = 1; i <= n; ++i) {
        float x = p[i].x * k;
        float y = p[i].y * k;
        // dx = x_i - x_(i-1), dy = y_i - y_(i-1), both already in metres
        line[i - 1].dx = x - xPrev;
        line[i - 1].dy = y - yPrev;
        xPrev = x;
        yPrev = y;
    }
    count = n;
    return start;
}

// The line a colour of its own stands for; none for other colours.
int lineOfColour(int colour) {
    switch (colour) {
        case DrawColor::kYellow:
            return static_cast<int>(SectionLine::Slip);
        case DrawColor::kGreen:
            return static_cast<int>(SectionLine::Slope);
        case DrawColor::kBlue:
            return static_cast<int>(SectionLine::Water);
        default:
            return -1;
    }
}

// A polyline passed over: counted, with the reason.
void countIgnored(const DrawEntity& e, DxfSectionScan& scan) {
    if (e.ownColor == DrawColor::kByLayer) {
        ++scan.byLayer;
        if (lineOfColour(e.color) >= 0) ++scan.byLayerOnLineColour;
    } else {
        ++scan.otherColour;
    }
}

std::string format(const char* fmt, int a, int b = 0) {
    char buf[256];
    std::snprintf(buf, sizeof buf, fmt, a, b);
    return buf;
}

std::string describeLine(SectionLine which, const DxfLineScan& l) {
    static const char* const kNames[] = {"滑面线(黄色)", "坡面线(绿色)", "水面线(蓝色)"};
    std::string text = kNames[static_cast<int>(which)];
    if (!l.found()) return text + "：未找到，原数据不变";
    text += format("：%d 段", l.segments);
    if (l.vertices - 1 > l.segments)
        text += format("（多义线有 %d 个顶点，只取前 %d 段）", l.vertices, l.segments);
    if (l.polylines > 1) text += format("（图中有 %d 条此颜色的多义线，取最后一条）", l.polylines);
    return text;
}

}  // namespace

bool DxfSectionScan::anyLine() const {
    return lines[0].found() || lines[1].found() || lines[2].found();
}

DxfSectionScan ScanSectionLines(const CSlideCalcData& record, const std::string& path,
                                float unitFactor) {
    DxfSectionScan scan;
    scan.result = record;
    std::unique_ptr<DXF> drawing = NewMemDxf();
    if (!drawing || !drawing->Read_FileDxf_To_Mem(path, &scan.refusal)) return scan;
    scan.readable = true;
    CSlideCalcData& r = scan.result;
    int* counts[] = {&r.slipCount, &r.slopeCount, &r.waterCount};
    Segments* segments[] = {&r.slip, &r.slope, &r.water};
    LineStart starts[kSectionLines];
    // A line is recognised by the colour it carries itself: one drawn "by
    // layer" is ignored whatever its layer's colour.
    for (const DrawEntity& e : drawing->entities()) {
        if (e.kind != DrawEntityKind::Polyline) continue;
        int line = lineOfColour(e.ownColor);
        if (line < 0) {
            countIgnored(e, scan);
            continue;
        }
        if (e.points.empty()) continue;
        starts[line] = takePolyline(e, unitFactor, *counts[line], *segments[line]);
        DxfLineScan& l = scan.lines[line];
        ++l.polylines;
        l.vertices = static_cast<int>(e.points.size());
        l.segments = *counts[line];
    }
    // The section's origin is the start of the slip surface; without one in the
    // drawing the other lines are measured from the drawing's origin.
    const LineStart& slip = starts[0];
    if (scan.lines[1].found()) r.slopeX0 = starts[1].x - slip.x;
    if (scan.lines[2].found()) {
        r.waterX0 = starts[2].x - slip.x;
        r.waterY0 = starts[2].y - slip.y;
    }
    return scan;
}

DxfImportSummary TakeSectionLines(CSlideCalcData& record, const DxfSectionScan& scan) {
    DxfImportSummary found{scan.readable, scan.lines[0].found(), scan.lines[1].found(),
                           scan.lines[2].found()};
    const CSlideCalcData& r = scan.result;
    if (found.slip) {
        record.slipCount = r.slipCount;
        record.slip = r.slip;
    }
    if (found.slope) {
        record.slopeCount = r.slopeCount;
        record.slope = r.slope;
        record.slopeX0 = r.slopeX0;
    }
    if (found.water) {
        record.waterCount = r.waterCount;
        record.water = r.water;
        record.waterX0 = r.waterX0;
        record.waterY0 = r.waterY0;
    }
    return found;
}

std::vector<std::string> DescribeSectionScan(const DxfSectionScan& scan) {
    if (!scan.readable) return {DxfUnreadableMessage(scan)};
    std::vector<std::string> text;
    for (SectionLine l : {SectionLine::Slip, SectionLine::Slope, SectionLine::Water})
        text.push_back(describeLine(l, scan.line(l)));
    if (scan.byLayer > 0) {
        std::string t = format("忽略 %d 条颜色为“随层”(ByLayer)的多义线", scan.byLayer);
        if (scan.byLayerOnLineColour > 0)
            t += format("，其中 %d 条在黄、绿或蓝色的图层上", scan.byLayerOnLineColour);
        text.push_back(t + "：程序只认线本身的颜色，请在CAD中把线的颜色直接设为黄色、绿色或蓝色。");
    }
    if (scan.otherColour > 0)
        text.push_back(format("忽略 %d 条其他颜色的多义线。", scan.otherColour));
    if (!scan.anyLine()) text.push_back("图中没有黄色、绿色或蓝色的多义线，数据不会改变。");
    return text;
}

DxfImportSummary ImportSectionLines(CSlideCalcData& record, const std::string& path,
                                    float unitFactor, MessageSink& messages) {
    DxfSectionScan scan = ScanSectionLines(record, path, unitFactor);
    if (!scan.readable) messages.message(DxfUnreadableMessage(scan));
    return TakeSectionLines(record, scan);
}

std::string DxfUnreadableMessage(const DxfSectionScan& scan) {
    return scan.refusal.empty() ? std::string(kDxfUnreadable) : "读取DXF失败: " + scan.refusal;
}

bool ParseDrawingUnit(const std::string& text, float* factor) {
    for (const DrawingUnit& u : kDrawingUnits) {
        if (text == u.name && text != "其他单位") {
            *factor = u.factor;
            return true;
        }
    }
    char* end = nullptr;
    float v = std::strtof(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !(v >= 0.0f && v <= kMaxUnitFactor)) return false;
    *factor = v;
    return true;
}

std::string DxfImportInstructions() {
    return std::string("注意：\n\n\n") +
           "    应用此功能可读入 DXF 文件形成滑面线、坡面线、水面线。\n" +
           "按以下步骤操作即可：\n" +
           "  1.在AutoCAD中将滑面线、坡面线、水面线用pline命令分别画出,\n" +
           "即画出三条多义线(最好以米为单位画，其他单位请记住绘制的单位)。\n" +
           "在绘制时，请从左向右绘制相应的三根线。\n" +
           "  2.为了区别这三条线，分别将滑面线颜色设置为yellow(黄色)，坡\n" +
           "面线颜色设置为green(绿色)，水面线颜色设置为blue(蓝色)。\n" +
           "  3.在AutoCAD中运行DXFOUT命令，将此图存为DXF文件。\n" +
           "  4.运行此命令读入DXF文件。\n" + "  \n\n\n是否现在就读入？\n";
}

ItemFileImported ImportIntoItemFile(const std::string& itemPath, const std::string& drawing,
                                    const std::string& unit, StatusSink& status,
                                    MessageSink& messages) {
    ItemFileImported out;
    float factor = 1.0f;
    // A factor of 0 would fold every line into the origin: the dialog's field
    // starts at 0, but a batch import must give a real scale.
    if (!ParseDrawingUnit(unit, &factor) || !(factor > 0.0f)) return out;
    CSlideCalcData item;
    const OpenedItem opened = OpenItemFile(itemPath, item, &status, &messages);
    out.outcome = !opened.read           ? ItemFileImport::ItemUnreadable
                  : !opened.mayRewrite() ? ItemFileImport::ItemGuessed
                                         : ItemFileImport::Imported;
    if (out.outcome != ItemFileImport::Imported) return out;
    out.found = ImportSectionLines(item, drawing, factor, messages);
    if (!out.found.readable)
        out.outcome = ItemFileImport::DrawingUnreadable;
    else if (!out.found.anyLine())
        out.outcome = ItemFileImport::NoLines;
    else if (!item.WriteDataFile(itemPath))
        out.outcome = ItemFileImport::NotWritten;
    return out;
}
