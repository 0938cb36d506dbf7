// Section lines, look-ups, cut positions and block integration on sections
// whose results can be checked by hand.
#include "data/CSlideCalcData.h"
#include "engine/SectionGeometry.h"

#include <gtest/gtest.h>

TEST(SectionGeometry, DefaultSlipSurfaceStartsAtTheOrigin) {
    CSlideCalcData item;
    float xs[kMaxLinePoints], ys[kMaxLinePoints];
    ASSERT_EQ(BuildLine(item, Slip, xs, ys), 7);
    EXPECT_EQ(xs[0], 0.0f);
    EXPECT_EQ(xs[6], 57.0f);
    EXPECT_EQ(ys[6], 35.0f);
}
