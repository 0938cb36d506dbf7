// Rounding to a construction module.
#include "platform/EngineeringMode.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(EngineeringMode, RoundsToTheNearestMultipleOfTheStep) {
    float v = 1333.333f;
    EXPECT_EQ(Engineering_mode(&v, 50), 1);
    EXPECT_FLOAT_EQ(v, 1350.0f);
    v = 1320.0f;
    Engineering_mode(&v, 50);
    EXPECT_FLOAT_EQ(v, 1300.0f);
    v = 1500.0f;
    Engineering_mode(&v, 50);
    EXPECT_FLOAT_EQ(v, 1500.0f);
}

TEST(EngineeringMode, HalvesGoAwayFromZero) {
    float v = 1025.0f;
    Engineering_mode(&v, 50);
    EXPECT_FLOAT_EQ(v, 1050.0f);
    v = -1025.0f;
    Engineering_mode(&v, 50);
    EXPECT_FLOAT_EQ(v, -1050.0f);
    v = 24.9f;
    Engineering_mode(&v, 50);
    EXPECT_FLOAT_EQ(v, 0.0f);
}

TEST(EngineeringMode, AStepOfZeroOrLessAndANullValueChangeNothing) {
    float v = 1234.5f;
    EXPECT_EQ(Engineering_mode(&v, 0), 0);
    EXPECT_EQ(Engineering_mode(&v, -50), 0);
    EXPECT_FLOAT_EQ(v, 1234.5f);
    EXPECT_EQ(Engineering_mode(nullptr, 50), 0);
}

TEST(EngineeringMode, NotANumberStaysNotANumber) {
    float v = std::numeric_limits<float>::quiet_NaN();
    Engineering_mode(&v, 50);
    EXPECT_TRUE(std::isnan(v));
}
