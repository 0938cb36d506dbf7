// After a calculation the report file is rewritten as the desktop program
// leaves it: RTF with its directives expanded and its drawings embedded, so
// that a word processor shows the pictures. Callers make the GUI application
// (fonts, painting) once, before the first run.
#pragma once

#include <string>

struct CalcRunResult;

// The run's finishing step (RunOptions::finishReport): the saved report
// rewritten from its text and the run's drawings; the reason when that
// failed (the text report kept), else empty.
std::string expandReportFile(const CalcRunResult& run, const std::string& workPath);
