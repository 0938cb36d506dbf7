// Rounding to a construction module.
#include "platform/EngineeringMode.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(EngineeringMode, RoundsToTheNearestMultipleOfAPositiveStepHalvesAwayFromZero) {
    // A step of zero or less changes nothing and answers 0.
    const struct {
        float value;
        int step, result;
        float rounded;
    } cases[] = {{1333.333f, 50, 1, 1350.0f}, {1320.0f, 50, 1, 1300.0f},
                 {1500.0f, 50, 1, 1500.0f},   {1025.0f, 50, 1, 1050.0f},
                 {-1025.0f, 50, 1, -1050.0f}, {24.9f, 50, 1, 0.0f},
                 {1234.5f, 0, 0, 1234.5f},    {1234.5f, -50, 0, 1234.5f}};
    for (const auto& c : cases) {
        float v = c.value;
        EXPECT_EQ(Engineering_mode(&v, c.step), c.result) << c.value << " step " << c.step;
        EXPECT_FLOAT_EQ(v, c.rounded) << c.value << " step " << c.step;
    }
    EXPECT_EQ(Engineering_mode(nullptr, 50), 0);
    float nan = std::numeric_limits<float>::quiet_NaN();
    Engineering_mode(&nan, 50);
    EXPECT_TRUE(std::isnan(nan));
}
