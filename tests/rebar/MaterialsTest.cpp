#include "rebar/Materials.h"

#include <gtest/gtest.h>

TEST(Materials, GradesOutsideC15ToC60AreRefusedAndC10SaysWhy) {
    std::string why;
    EXPECT_FALSE(ConcreteOfGrade(10, &why));
    EXPECT_NE(why.find("C10 不是结构混凝土"), std::string::npos) << why;
    for (int grade : {0, 12, 65, -5}) {
        why.clear();
        EXPECT_FALSE(ConcreteOfGrade(grade, &why)) << grade;
        EXPECT_FALSE(why.empty());
    }
    for (int grade = 15; grade <= 60; grade += 5) EXPECT_TRUE(ConcreteOfGrade(grade, nullptr));
}

TEST(Materials, StressBlockAndBalancedDepthFollowTheGrade) {
    struct Row {
        int grade;
        const char* steel;
        double alpha1, beta1, xib;  // xi_b as the code's tables round it
    } rows[] = {
        {30, "HPB300", 1.00, 0.80, 0.576}, {30, "HRB400", 1.00, 0.80, 0.518},
        {50, "HRB500", 1.00, 0.80, 0.482}, {55, "HRB400", 0.99, 0.79, 0.508},
        {60, "HRB400", 0.98, 0.78, 0.499},
    };
    for (const Row& r : rows) {
        const auto c = ConcreteOfGrade(r.grade, nullptr);
        const auto s = SteelOfName(r.steel);
        ASSERT_TRUE(c && s);
        EXPECT_NEAR(c->alpha1, r.alpha1, 1e-9) << r.grade;
        EXPECT_NEAR(c->beta1, r.beta1, 1e-9) << r.grade;
        EXPECT_NEAR(BalancedDepth(*c, *s), r.xib, 0.0006) << r.grade << r.steel;
    }
}

TEST(Materials, HighBarsInLowConcreteWarnAndStirrupsStopAt360) {
    const auto c20 = ConcreteOfGrade(20, nullptr), c25 = ConcreteOfGrade(25, nullptr);
    const auto hrb400 = SteelOfName("hrb400"), hpb300 = SteelOfName("HPB300");
    const auto hrb500 = SteelOfName("HRB500");
    ASSERT_TRUE(c20 && c25 && hrb400 && hpb300 && hrb500);
    EXPECT_FALSE(MaterialWarning(*c20, *hrb400).empty());
    EXPECT_TRUE(MaterialWarning(*c25, *hrb400).empty());
    EXPECT_TRUE(MaterialWarning(*c20, *hpb300).empty());
    EXPECT_EQ(StirrupStrength(*hrb500), 360.0);
    EXPECT_EQ(StirrupStrength(*hpb300), 270.0);
    EXPECT_TRUE(SteelOfName("HRB335"));
    EXPECT_FALSE(SteelOfName("HPB235"));  // withdrawn from the 2010 code
}
