// Writes the maximal item as an item file set to one auto-design, so that a
// whole `talvor-cli calc` run of the largest case can be timed:
//   write_maximal_item FILE berm|unloading|piles
#include "MaximalItem.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    const char* targets[] = {"piles", "berm", "unloading"};  // designTarget 0, 1, 2
    int target = -1;
    for (int t = 0; argc == 3 && t < 3; ++t)
        if (std::strcmp(argv[2], targets[t]) == 0) target = t;
    if (target < 0) {
        std::fprintf(stderr, "usage: write_maximal_item FILE berm|unloading|piles\n");
        return 2;
    }
    CSlideCalcData item = MaximalItem();
    item.goal = 1;
    item.designTarget = target;
    if (!item.WriteDataFile(argv[1])) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
