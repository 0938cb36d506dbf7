// talvor-cli project DIR summary: the summary table of a project as CSV and
// as a report page (RTF, PDF). Registered by the project command.
#pragma once

#include <string>

struct WorkContext;

struct SummaryArgs {
    int jobs = 0;               // worker threads; 0: one per core
    std::string csv, rtf, pdf;  // output paths; empty: Talvor_Summary.* in the project
};

// 0 when the tables were written (items that failed are rows saying so), 2
// without a project file, 1 when a table could not be written.
int runProjectSummary(const WorkContext& ctx, const SummaryArgs& args);
