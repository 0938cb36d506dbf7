// The verification runner: a case whose expected value is changed fails, a
// figure the report lacks fails, and unreadable cases are errors, not passes.
#include "run/Verification.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

// Case 01 of the manual copied, with its expected values replaced.
void copyCase(const TempDir& dir, const std::string& name, const std::string& expected) {
    std::filesystem::create_directories(dir.file(name));
    std::filesystem::copy_file(std::string(TALVOR_VERIFICATION_DIR) + "/01-planar-block/item.TV",
                               dir.file(name + "/item.TV"));
    writeBytes(dir.file(name + "/expected.txt"), expected);
}

}  // namespace

TEST(Verification, AChangedExpectedValueOrAMissingFigureFails) {
    struct Case {
        const char* expected;
        bool passes;
    } cases[] = {
        {"# as in the manual\nthrust -108.0215 0.01\nfs_implicit 1.25426 0.0005\n", true},
        {"thrust -108.0215 0.01\nfs_implicit 1.26426 0.0005\n", false},  // one digit changed
        {"thrust -107.0215 0.01\n", false},
        {"block2.weight 950 0.01\n", false},  // the item has one block
        {"no_such_figure 1 1\n", false},
        {"thrust -108.0215\n", false},  // no tolerance: an error
        {"", false},                    // nothing checked
    };
    for (const Case& c : cases) {
        TempDir dir;
        copyCase(dir, "case", c.expected);
        const VerifyResult r = RunVerification(dir.path());
        EXPECT_EQ(r.passed(), c.passes) << c.expected << VerificationTable(r);
    }
}

// (A folder that is not there is talvor-cli verify's row in CliCommandsTest.)
TEST(Verification, FoldersWithoutCasesOrWithAnUnreadableItemAreErrors) {
    TempDir empty, broken;
    EXPECT_FALSE(RunVerification(empty.path()).passed());
    copyCase(broken, "case", "thrust -108.0215 0.01\n");
    writeBytes(broken.file("case/item.TV"), "NOT_AN_ITEM\n");
    const VerifyResult r = RunVerification(broken.path());
    EXPECT_FALSE(r.passed());
    EXPECT_EQ(r.errors.size(), 1u);
}
