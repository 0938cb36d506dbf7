#include "diagrams/PileForceDiagrams.h"

#include "diagrams/ThrustCurve.h"

#include "data/CSlideCalcData.h"
#include "platform/Drawing.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

std::vector<PileForcePoint> samplePoints(int n, float step) {
    std::vector<PileForcePoint> pts;
    for (int i = 0; i < n; ++i) {
        PileForcePoint p;
        p.depth = i * step;
        p.momentA = -10.0f * i;
        p.momentB = -10.0f * i - 1.0f;
        p.shearA = 5.0f;
        p.shearB = -5.0f;
        p.displacement = 2.0f * i;
        p.soilReaction = -3.0f;
        pts.push_back(p);
    }
    return pts;
}

const DrawEntity* text(const DXF& d, const std::string& s) {
    for (const DrawEntity& e : d.entities())
        if (e.kind == DrawEntityKind::Text && e.text == s) return &e;
    return nullptr;
}

}  // namespace

TEST(PileForceDiagrams, FourPanelsSideBySideUnderTheTitle) {
    std::unique_ptr<DXF> d = NewResultDrawing(false);
    DrawPenState before = d->penState();
    ASSERT_EQ(DrawPileForcePanels(*d, samplePoints(11, 0.5f), 2.0f), 1);
    EXPECT_EQ(d->penState(), before);
    const char* titles[] = {"弯矩(kN-m)", "剪力(kN)", "位移(mm)", "土反力(kPa)"};
    for (int p = 0; p < 4; ++p) {
        const DrawEntity* t = text(*d, titles[p]);
        ASSERT_NE(t, nullptr) << titles[p];
        EXPECT_GT(t->points[0].x, 5000.0f * p);
        EXPECT_LT(t->points[0].x, 5000.0f * p + 3000.0f);
    }
    const DrawEntity* title = text(*d, "内力计算结果");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->color, 2);
    EXPECT_EQ(title->style, "HZ");
    EXPECT_EQ(title->height, 400.0f);
    EXPECT_FLOAT_EQ(title->points[0].x, 10000.0f - 0.6f * 400.0f * 12 / 2);
    EXPECT_EQ(title->points[0].y, -1200.0f);
    bool rule = false;
    for (const DrawEntity& e : d->entities())
        rule |= e.kind == DrawEntityKind::Line && e.color == 2 &&
                e.points[0] == DrawVertex{5000, -1400, 0, 0} &&
                e.points[1] == DrawVertex{15000, -1400, 0, 0};
    EXPECT_TRUE(rule);
}

TEST(PileForceDiagrams, ThePointOnTheSlipSurfaceHasNoSoilReactionInTheFirstSeries) {
    // Soil reaction −(−3) = 3 everywhere, but 0 at depth 2 (within 0.01 m of the slip).
    std::unique_ptr<DXF> d = NewResultDrawing(false);
    DrawPileForcePanels(*d, samplePoints(11, 0.5f), 2.005f);
    // In the soil-reaction panel (x 15000 … 18000, values −3.6 … 3.6) the
    // series-1 curve touches the zero line x 16500 at depth 2 (y 3000).
    bool touches = false;
    for (const DrawEntity& e : d->entities())
        if (e.kind == DrawEntityKind::Line && e.color != 1 && e.lineType != "DOT")
            for (const DrawVertex& v : e.points)
                touches |= std::fabs(v.x - 16500.0f) < 0.5f && std::fabs(v.y - 3000.0f) < 0.5f &&
                           e.points[0].y != e.points[1].y;
    EXPECT_TRUE(touches);
}

TEST(PileForceDiagrams, OnlyTheFirstThousandPointsAreDrawn) {
    std::unique_ptr<DXF> all = NewResultDrawing(false);
    std::unique_ptr<DXF> capped = NewResultDrawing(false);
    DrawPileForcePanels(*all, samplePoints(1500, 0.01f), 5.0f);
    std::vector<PileForcePoint> first = samplePoints(1500, 0.01f);
    first.resize(1000);
    DrawPileForcePanels(*capped, first, 5.0f);
    ASSERT_EQ(all->entities().size(), capped->entities().size());
    EXPECT_EQ(all->entities().back().points, capped->entities().back().points);
}

TEST(PileForceDiagrams, TheDrawingIsWrittenAsTheItemsSecondResultDrawing) {
    TempDir dir;
    CSlideCalcData item;
    item.setResult(1, {"计算结果", "&TLVR_0001_TLVR_JG.DXF", "&TLVR_0001_TLVR.RTF"});
    ASSERT_EQ(DrawPileForceDiagrams(item, samplePoints(5, 1.0f), 2.0f, dir.path()), 1);
    DXF back;
    ASSERT_EQ(back.Read_FileDxf_To_Mem(dir.file("&TLVR_0001_TLVR_JG.DXF")), 1);
    EXPECT_NE(text(back, "内力计算结果"), nullptr);
    EXPECT_EQ(DrawPileForceDiagrams(item, samplePoints(5, 1.0f), 2.0f, dir.file("none/")), 0);
}

TEST(PileForceDiagrams, NoPointsGiveTheTitleAlone) {
    std::unique_ptr<DXF> d = NewResultDrawing(false);
    EXPECT_EQ(DrawPileForcePanels(*d, {}, 0.0f), 1);
    EXPECT_EQ(d->entities().size(), 2u);
}
