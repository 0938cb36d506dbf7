// The project summary written out as `talvor-cli project DIR summary` does:
// the CSV table and the page of report text as RTF and PDF, beside the
// project file unless other paths are given.
#pragma once

#include "run/ProjectSummary.h"

#include <string>
#include <vector>

struct WorkContext;

struct SummaryPaths {
    std::string csv, rtf, pdf;  // empty: Talvor_Summary.* in the work path
};

struct WrittenFile {
    std::string path;
    bool written = false;
};

struct ProjectSummaryFiles {
    bool projectRead = false;        // false: no project file, nothing was written
    std::vector<SummaryRow> rows;    // every item of the list, in list order
    std::vector<WrittenFile> files;  // the CSV table, the RTF page, the PDF page
};

// Summarizes the items of the project on up to `threads` threads (0: one per
// core) and writes the table and the page; an item that could not be run is a
// row saying so. Makes the GUI application the PDF's fonts need.
ProjectSummaryFiles WriteProjectSummary(const WorkContext& ctx, const SummaryPaths& paths,
                                        int threads);
