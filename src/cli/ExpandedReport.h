// After a calculation the report file is rewritten as the desktop program
// leaves it: RTF with its directives expanded and its drawings embedded, so
// that a word processor shows the pictures. Callers make the GUI application
// (fonts, painting) once, before the first call.
#pragma once

#include <string>

struct CalcRunResult;

// 1 when the report was rewritten, 0 (the text report kept, the reason on
// stderr) otherwise; nothing is done for a run that saved no report.
int expandReportFile(const CalcRunResult& run, const std::string& workPath);
