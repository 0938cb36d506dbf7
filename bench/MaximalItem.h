// The largest item the record holds, shared by the engine and design
// benchmarks and by the program that writes it as an item file for timing
// whole `talvor-cli calc` runs.
#pragma once

#include "data/CSlideCalcData.h"
#include "platform/ScratchDir.h"
#include "platform/Sinks.h"
#include "platform/WorkContext.h"

// 100 slip segments, 100 slope segments with 10 loads each, 100 water
// segments, a berm, 3 unloading segments, piles near the toe (the pass covers
// 97 blocks), every water option and an earthquake; 2000-trial berm-height and
// unloading ranges and 100 candidate pile kinds for the designs.
CSlideCalcData MaximalItem();

// A quiet work context whose files go to a scratch folder, removed with the
// benchmark's files when it ends.
struct BenchWorkContext {
    BenchWorkContext();
    ScratchDir dir;
    NullSinks sinks;
    WorkContext ctx;
};
