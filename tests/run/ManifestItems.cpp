#include "run/ManifestItems.h"

#include "../tables/TableTestSupport.h"
#include "data/CSlideCalcData.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <random>

namespace {

namespace fs = std::filesystem;

std::string itemBytes(CSlideCalcData item) {
    TempDir dir;
    EXPECT_EQ(item.WriteDataFile(dir.file("item.TV")), 1);
    return readBytes(dir.file("item.TV"));
}

std::vector<fs::path> sortedDirs(const std::string& root) {
    std::vector<fs::path> dirs;
    for (const auto& e : fs::directory_iterator(root))
        if (e.is_directory()) dirs.push_back(e.path());
    std::sort(dirs.begin(), dirs.end());
    return dirs;
}

}  // namespace

std::vector<ManifestItem> manifestItems() {
    std::vector<ManifestItem> items;
    // The worked example as `new` writes it, under every goal and target.
    for (int goal = 0; goal < 2; ++goal) {
        for (int target = 0; target < (goal == 0 ? 5 : 3); ++target) {
            CSlideCalcData item;
            item.goal = goal;
            (goal == 0 ? item.checkTarget : item.designTarget) = target;
            items.push_back({"example-" + std::to_string(goal) + "-" + std::to_string(target),
                             itemBytes(item)});
        }
    }
    for (auto [prefix, root] :
         {std::pair{"golden-", TALVOR_TEST_DATA}, {"verify-", TALVOR_VERIFICATION_DIR}})
        for (const fs::path& d : sortedDirs(root))
            if (fs::exists(d / "item.TV"))
                items.push_back({prefix + d.filename().string(), readBytes(d / "item.TV")});
    for (const auto& e : fs::directory_iterator(std::string(TALVOR_SHARE_DIR) + "/Template"))
        if (e.path().extension() == ".DAT")
            items.push_back(
                {"template-" + e.path().filename().string(), readBytes(e.path().string())});
    std::mt19937 rng(20261207);
    for (int i = 0; i < 200; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "random-%03d", i);
        items.push_back({name, itemBytes(randomTypedItem(rng))});
    }
    return items;
}
