// The name a mistyped word was meant to be: near enough for its length, or
// the only one it begins.
#include "platform/NearestName.h"

#include <gtest/gtest.h>

TEST(NearestName, ALetterOffPerThreeLettersASwapCountsOnceOrTheOnlyNameBegun) {
    const std::vector<std::string> names{"calc", "new", "project", "--text", "--template"};
    const struct {
        const char* word;
        const char* meant;
    } rows[] = {
        {"cacl", "calc"},         {"porject", "project"}, {"nwe", "new"}, {"--txet", "--text"},
        {"--temp", "--template"}, {"--te", ""},           {"x", ""},      {"render", ""}};
    for (const auto& r : rows) EXPECT_EQ(NearestName(r.word, names), r.meant) << r.word;
}
