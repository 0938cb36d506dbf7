#include "diagrams/PileRebarDrawing.h"

#include "platform/Drawing.h"
#include "platform/DrawingCheck.h"
#include "rebar/PileReinforcement.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// A 14 m pile, slip surface at 6 m, a moment bulge below it.
PileRebarInput pile(bool circle, double b, double h) {
    PileRebarInput in{.section = {.circle = circle, .b = b, .h = h, .d = b},
                      .points = {},
                      .length = 14,
                      .slipDepth = 6};
    for (int k = 0; k <= 140; ++k) {
        const double z = k * 0.1;
        const double M = z < 9 ? 600 * z * z / 9 : 600 * 9 - 600 * (z - 9) * (z - 9) / 2.5;
        in.points.push_back({z, M, z < 9 ? 1200 * z / 9 : -1200 * (z - 9) / 2.5});
    }
    return in;
}

// Circles right of x: the cross-section stands right of the curves (whose
// extremes are marked with small circles) and of the elevation.
int circlesRightOf(const DXF& d, float x) {
    return static_cast<int>(
        std::count_if(d.entities().begin(), d.entities().end(), [&](const DrawEntity& e) {
            return e.kind == DrawEntityKind::Circle && e.points.at(0).x > x;
        }));
}

bool hasText(const DXF& d, const std::string& part) {
    return std::any_of(d.entities().begin(), d.entities().end(), [&](const DrawEntity& e) {
        return e.kind == DrawEntityKind::Text && e.text.find(part) != std::string::npos;
    });
}

}  // namespace

// Every bar of the section is drawn as a circle, every group and zone labelled,
// the slip surface marked, and ezdxf reads it clean; a design without bars
// draws nothing.
TEST(PileRebarDrawing, SectionBarsGroupsZonesAndSlipSurfaceAreDrawn) {
    for (bool circle : {false, true}) {
        const PileRebarInput in = pile(circle, 1500, 2000);
        const PileRebar r = DesignPileRebar(in);
        ASSERT_FALSE(r.faces.empty());
        const std::unique_ptr<DXF> d = MakePileRebarDrawing(in, r);
        ASSERT_TRUE(d);
        int bars = 0;
        for (const FaceDesign& f : r.design.faces) bars += f.bars.bars();
        // The bars plus, for the circle, its outline and its hoop.
        const float elevationEnd = 5000.0f * (r.faces.size() + 1) + 1000.0f;
        EXPECT_EQ(circlesRightOf(*d, elevationEnd), bars + (circle ? 2 : 0)) << circle;
        EXPECT_TRUE(hasText(*d, "桩身配筋图"));
        EXPECT_TRUE(hasText(*d, "滑动面 6.00m"));
        for (const FaceBars& f : r.faces) EXPECT_TRUE(hasText(*d, f.through.label())) << f.name;
        for (const StirrupZone& z : r.zones)
            EXPECT_TRUE(
                hasText(*d, "Φ" + std::to_string(z.diameter) + "@" + std::to_string(z.spacing)));
        // An independent reader takes it as R12 with its Chinese texts.
        TempDir dir;
        drawing_check::expectCleanInEzdxf(*d, dir.file("pj.dxf"));
    }
    const PileRebarInput small = pile(false, 400, 400);
    PileRebarInput absurd = small;
    for (PileForceSample& p : absurd.points) p.M *= 100;
    const PileRebar none = DesignPileRebar(absurd);
    EXPECT_TRUE(none.faces.empty());
    EXPECT_FALSE(MakePileRebarDrawing(absurd, none));
}
