// The rail table: the four accepted types, clamping, the tolerance and the
// fall-back to the 50 kg/m rail.
#include "piles/RailSection.h"

#include <gtest/gtest.h>

#include <limits>

TEST(RailSection, TableTypesGiveTheirSectionAndOthersFallBackToFiftyWithFlagZero) {
    const struct {
        float type;
        int known;
        float inertiaCm4, widthMm;
    } cases[] = {
        {33, 1, 821.9f, 110},      {38, 1, 1204.4f, 114},
        {43, 1, 1489.0f, 114},     {50, 1, 2037.0f, 132},
        {43.05f, 1, 1489.0f, 114}, {43.15f, 0, 2037.0f, 132},
        {36, 0, 2037.0f, 132},     {20, 1, 821.9f, 110},
        {55, 1, 2037.0f, 132},     {std::numeric_limits<float>::quiet_NaN(), 0, 2037.0f, 132}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        float inertia = 0, width = 0;
        EXPECT_EQ(GetRailSection(c.type, &inertia, &width), c.known);
        EXPECT_FLOAT_EQ(inertia, c.inertiaCm4 * 1e-8f);
        EXPECT_FLOAT_EQ(width, c.widthMm / 1000.0f);
    }
}
