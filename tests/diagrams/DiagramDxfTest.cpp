// Every drawing the diagrams make is written as DXF and read back by ezdxf,
// an independent reader, whose audit must find nothing.
#include "diagrams/DepthChart.h"
#include "diagrams/PileForceDiagrams.h"
#include "diagrams/ThrustCurve.h"

#include "data/CSlideCalcData.h"
#include "engine/ThrustPass.h"
#include "platform/Drawing.h"

#include "platform/EzdxfCheck.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

void expectCleanInEzdxf(const DXF& d, const std::string& path,
                        const std::vector<std::string>& texts) {
    ASSERT_EQ(d.Write_MemDxf_To_File(path), 1);
    ezdxf_check::Report r = ezdxf_check::readWithEzdxf(path);
    ASSERT_EQ(r.status, 0) << r.raw;
    EXPECT_EQ(r.version, "AC1009");
    EXPECT_EQ(r.auditErrors, 0) << r.raw;
    EXPECT_EQ(r.count("OTHER"), 0) << r.raw;
    for (const std::string& t : texts) {
        bool found = false;
        for (const std::string& l : r.lines)
            found |= l.rfind("TEXT", 0) == 0 && l.size() >= t.size() &&
                     l.compare(l.size() - t.size(), t.size(), t) == 0;
        EXPECT_TRUE(found) << t;
    }
}

}  // namespace

TEST(DiagramDxf, SketchAndThrustCurveOfTheWorkedExampleOpenInEzdxf) {
    TempDir dir;
    CSlideCalcData item;
    float angle, berm, trimmed;
    ComputeThrust(item, nullptr, &angle, &berm, &trimmed, item.residualThrust.data());
    std::unique_ptr<DXF> sketch = MakeSketchDrawing(item);
    ASSERT_NE(sketch, nullptr);
    expectCleanInEzdxf(*sketch, dir.file("a_TLVR_JT.DXF"), {});
    std::unique_ptr<DXF> curve = MakeThrustCurveDrawing(item, *sketch);
    expectCleanInEzdxf(*curve, dir.file("a_TLVR_SYXHL.DXF"),
                       {"剩余下滑力曲线", "单位(kN)", "单位(m)"});
}

TEST(DiagramDxf, PileForceAndDesignChartsOpenInEzdxf) {
    TempDir dir;
    std::vector<PileForcePoint> pts(21);
    for (int i = 0; i < 21; ++i) {
        pts[i].depth = 0.5f * i;
        pts[i].momentA = pts[i].momentB = -0.5f * i * i;
        pts[i].shearA = pts[i].shearB = -float(i);
        pts[i].displacement = 10.0f - i;
        pts[i].soilReaction = i > 8 ? -4.0f : 0.0f;
    }
    std::unique_ptr<DXF> forces = NewResultDrawing(false);
    DrawPileForcePanels(*forces, pts, 4.0f);
    expectCleanInEzdxf(
        *forces, dir.file("p_TLVR_JG.DXF"),
        {"内力计算结果", "弯矩(kN-m)", "剪力(kN)", "位移(mm)", "土反力(kPa)", "高度(m)"});
    std::unique_ptr<DXF> design = NewResultDrawing(false);
    float xs[] = {0, 1, 2, 3, 4}, hx[] = {500, 300, 100, -50, -80}, v[] = {0, 3, 8, 15, 24};
    DrawDesignCurve(0, 0, design.get(), 5, xs, hx, "反压码高度(m)", "水平推力kN");
    DrawDesignCurve(0, -8000, design.get(), 5, xs, v, "反压码高度(m)", "单位宽反压码体积m3");
    expectCleanInEzdxf(*design, dir.file("d_TLVR_JG.DXF"),
                       {"反压码高度(m)", "水平推力kN", "单位宽反压码体积m3"});
}
