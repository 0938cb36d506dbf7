// The project summary written out: a CSV table for spreadsheets and a page of
// report text in the layout of the calculation reports.
#pragma once

#include "run/ProjectSummary.h"

#include <string>
#include <vector>

// The column titles and the cells of one row, in the order of the CSV table
// (the item number first), for tables that show the summary.
std::vector<std::string> SummaryColumnTitles();
std::vector<std::string> SummaryCells(const SummaryRow& row);

// UTF-8 with a byte-order mark, so that spreadsheets read the Chinese; one
// header line, then one line per row in the order given.
std::string SummaryCsv(const std::vector<SummaryRow>& rows);

// A head with the project's name, then one block of lines per item.
std::string SummaryReportText(const std::string& projectName, const std::vector<SummaryRow>& rows);
