// A section design in words and figures: the lines the report's section and
// the headless check print, and the one-line CSV of the check.
#pragma once

#include <string>

class ReportWriter;
struct SectionDesign;

// The design's lines, each indented by four blanks; a section that cannot
// work says why in its first lines.
void WriteSectionDesign(const SectionDesign& d, ReportWriter& out);

// A header line and one line of figures (tension face: the inner one, or the
// outer one where its moment is larger).
std::string SectionDesignCsv(const SectionDesign& d);
