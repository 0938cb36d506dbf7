// Section lines from the polylines of a drawing, in file order, last one wins.
#include "project/DxfImport.h"

#include "data/CSlideCalcData.h"
#include "platform/Drawing.h"
#include "platform/Sinks.h"

#include <algorithm>
#include <cstdlib>

namespace {

struct LineStart {
    float x = 0.0f;
    float y = 0.0f;
};

// One polyline into a line of the record: the start point scaled by k, and the
// differences of consecutive scaled vertices as segments (at most 100).
LineStart takePolyline(const DrawEntity& e, float k, int& count,
                       std::array<CLineSeg, CSlideCalcData::kMaxSegments>& line) {
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

}  // namespace

DxfImportSummary ImportSectionLines(CSlideCalcData& record, const std::string& path,
                                    float unitFactor, MessageSink& messages) {
    DxfImportSummary found;
    std::unique_ptr<DXF> drawing = NewMemDxf();
    if (!drawing || !drawing->Read_FileDxf_To_Mem(path)) {
        messages.message("读取DXF失败，请保存为R12版本的DXF再试!");
        return found;
    }
    found.readable = true;
    LineStart slip, slope, water;
    // A line is recognised by the colour it carries itself: one drawn "by
    // layer" is ignored whatever its layer's colour.
    for (const DrawEntity& e : drawing->entities()) {
        if (e.kind != DrawEntityKind::Polyline || e.points.empty()) continue;
        if (e.ownColor == DrawColor::kYellow) {
            slip = takePolyline(e, unitFactor, record.slipCount, record.slip);
            found.slip = true;
        } else if (e.ownColor == DrawColor::kGreen) {
            slope = takePolyline(e, unitFactor, record.slopeCount, record.slope);
            found.slope = true;
        } else if (e.ownColor == DrawColor::kBlue) {
            water = takePolyline(e, unitFactor, record.waterCount, record.water);
            found.water = true;
        }
    }
    // The section's origin is the start of the slip surface; without one in the
    // drawing the other lines are measured from the drawing's origin.
    if (found.slope) record.slopeX0 = slope.x - slip.x;
    if (found.water) {
        record.waterX0 = water.x - slip.x;
        record.waterY0 = water.y - slip.y;
    }
    return found;
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
