// The figures a project summary takes from a finished report, read back from
// the report's own lines so that the summary repeats them digit for digit:
// the thrust line, stability factor and outcome of the supplement, the layout
// and quantities of the piles, the berm and unloading found by a design.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct ReportDigest {
    bool hasSupplement = false;
    std::string thrustX, thrust, thrustAngle;  // the supplement's thrust line
    std::string fs, fsState;                   // implicit solution, section as entered
    std::string outcome;                       // "计算成功" or "计算失败"

    // One quantity section of piles; a pile design gives one per candidate
    // that found a layout, with the layout.
    struct Piles {
        std::string kind, rows, spacing;
        std::string count, cost, labour, days;
    };
    std::vector<Piles> piles;
    std::string bermFound;    // "H=…" or "X0=…" of a berm design
    std::string unloadFound;  // height of an unloading design
    std::string bermVolume, bermLabour, bermDays;
    std::string unloadVolume, unloadLabour, unloadDays;
};

ReportDigest ReadReportDigest(std::string_view report);
