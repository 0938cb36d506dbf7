// The rail table: the four accepted types, clamping and the fall-back.
#include "piles/RailSection.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(RailSection, EachTableTypeGivesItsInertiaInM4AndWidthInM) {
    struct Row {
        float type, inertiaCm4, widthMm;
    };
    for (Row r : {Row{33, 821.9f, 110}, Row{38, 1204.4f, 114}, Row{43, 1489.0f, 114},
                  Row{50, 2037.0f, 132}}) {
        float inertia = 0, width = 0;
        EXPECT_EQ(GetRailSection(r.type, &inertia, &width), 1) << r.type;
        EXPECT_FLOAT_EQ(inertia, r.inertiaCm4 * 1e-8f) << r.type;
        EXPECT_FLOAT_EQ(width, r.widthMm / 1000.0f) << r.type;
    }
}

TEST(RailSection, TypeOutsideTheTableFallsBackToFiftyWithFlagZero) {
    float inertia = 0, width = 0;
    EXPECT_EQ(GetRailSection(36.0f, &inertia, &width), 0);
    EXPECT_FLOAT_EQ(inertia, 2037.0f * 1e-8f);
    EXPECT_FLOAT_EQ(width, 0.132f);
}

TEST(RailSection, TypesBeyondTheTableAreClampedToItsEnds) {
    float inertia = 0, width = 0;
    EXPECT_EQ(GetRailSection(20.0f, &inertia, &width), 1);
    EXPECT_FLOAT_EQ(width, 0.110f);
    EXPECT_EQ(GetRailSection(55.0f, &inertia, &width), 1);
    EXPECT_FLOAT_EQ(width, 0.132f);
}

TEST(RailSection, AToleranceOfATenthKgPerMetreIsAccepted) {
    float inertia = 0, width = 0;
    EXPECT_EQ(GetRailSection(43.05f, &inertia, &width), 1);
    EXPECT_FLOAT_EQ(inertia, 1489.0f * 1e-8f);
    EXPECT_EQ(GetRailSection(43.15f, &inertia, &width), 0);
    EXPECT_FLOAT_EQ(inertia, 2037.0f * 1e-8f);
}

TEST(RailSection, NotANumberIsRefusedWithTheFallBackSection) {
    float inertia = 0, width = 0;
    EXPECT_EQ(GetRailSection(std::numeric_limits<float>::quiet_NaN(), &inertia, &width), 0);
    EXPECT_FLOAT_EQ(width, 0.132f);
    EXPECT_FALSE(std::isnan(inertia));
}
