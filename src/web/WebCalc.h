// The calculation of the item for the web page, exactly as `talvor-cli calc`
// runs it (RunCalculation, in a scratch work folder that is removed after),
// with the designs' progress and a way to cancel them. What comes back is
// what the run gives: its outcome and typed figures, the report as UTF-8 text
// and as the bytes
// the run saved, every result file it wrote, and each drawing as DXF bytes
// and as SVG.
#pragma once

#include "run/RunResult.h"
#include "web/WebItem.h"

#include <functional>
#include <string>
#include <vector>

class CSlideCalcData;

struct WebFile {
    std::string name;   // "example_TLVR_JT.DXF"
    std::string bytes;  // as the run wrote it
    std::string svg;    // a drawing's picture; empty for other files
};

struct WebRun {
    int result = 0;  // 1: the run succeeded and its report was saved
    bool noDesignSatisfies = false;
    std::vector<std::string> errors;    // the result means nothing
    std::vector<std::string> warnings;  // the result stands but needs a look
    RunResult figures;                  // what the run found, as figures
    std::string reportText;             // UTF-8
    std::string reportName;             // the report's file name
    std::vector<WebFile> files;         // every file the run wrote, by name
    std::string dataFile;               // the item's data file with the run's result names, GBK
    std::vector<WebSinks::Line> status;
};

// done of total trials of a design or back-calculation; false cancels it.
using WebProgress = std::function<bool(int done, int total)>;

// Runs a copy of item named `name` (its data file's name: the result files
// are named from it); the item itself is left as it was.
WebRun RunWebCalculation(const CSlideCalcData& item, const std::string& name,
                         const WebProgress& progress = {});
