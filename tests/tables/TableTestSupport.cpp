#include "TableTestSupport.h"

#include <cstdio>

namespace {

std::string pick(std::mt19937& rng, const std::vector<std::string>& items) {
    return items[std::uniform_int_distribution<size_t>(0, items.size() - 1)(rng)];
}

void typeEverywhere(CTableBase& t, std::mt19937& rng) {
    for (int r = 1; r <= t.RowCount(); ++r) {
        for (int c = 1; c <= t.ColumnCount(); ++c) {
            if (!t.IsHangLieEdit(r, c)) continue;
            bool combo = t.IsHangLieCombo(r, c);
            // The control choices were drawn first; switching them again here
            // would leave rows typed under other choices.
            if (combo && t.Id() == TableId::CControlTable && r <= 3) continue;
            t.SetHangLieText(r, c,
                             combo ? pick(rng, t.GetComboItems(r, c)) : randomNumberText(rng));
        }
    }
}

}  // namespace

std::string randomNumberText(std::mt19937& rng) {
    // Mostly small numbers, so counts land inside their ranges too.
    int k = std::uniform_int_distribution<int>(0, 3)(rng) == 0
                ? std::uniform_int_distribution<int>(-100000, 100000)(rng)
                : std::uniform_int_distribution<int>(-300, 2500)(rng);
    char text[32];
    std::snprintf(text, sizeof text, "%s%d.%02d", k < 0 ? "-" : "", std::abs(k) / 100,
                  std::abs(k) % 100);
    return text;
}

CSlideCalcData randomTypedItem(std::mt19937& rng) {
    CSlideCalcData d;
    auto tables = allTables(d);
    CTableBase& control = *tables[0];
    control.SetHangLieText(1, 2, pick(rng, control.GetComboItems(1, 2)));
    int targetRow = d.goal == 1 ? 2 : 3;
    control.SetHangLieText(targetRow, 2, pick(rng, control.GetComboItems(targetRow, 2)));
    for (int pass = 0; pass < 2; ++pass) {
        for (auto& t : tables) typeEverywhere(*t, rng);
    }
    return d;
}
