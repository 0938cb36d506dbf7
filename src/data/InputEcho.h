// The echo of an item's input at the head of its calculation report, so that a
// printed report stands on its own. Only the groups and lines that the item's
// goal and target use are written.
#pragma once

class CSlideCalcData;
struct CPileKind;
class ReportWriter;

// The lead of the head's line that names the item ("计算项目： <name>"); a
// report converted on its own is known by the name after it.
inline constexpr const char* kReportItemLead = "计算项目： ";

// Control, basic and section-line groups, then the pile, berm and unloading
// groups. Returns 1.
int WriteInputEcho(const CSlideCalcData& item, ReportWriter& report);

// The countermeasure groups: 0 and nothing written when the countermeasure is
// switched off, else 1 (also when the target needs none of its lines).
int WriteEchoPiles(const CSlideCalcData& item, ReportWriter& report);
int WriteEchoBerm(const CSlideCalcData& item, ReportWriter& report);
int WriteEchoUnload(const CSlideCalcData& item, ReportWriter& report);

// Pile kind number n (counted from 1). Returns 1.
int WriteEchoPileKind(const CPileKind& kind, int n, ReportWriter& report);
