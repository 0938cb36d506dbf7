// Reading "TalvorPile.Dat" (GBK or UTF-8) and the list texts of its entries.
#include "project/CPileLibrary.h"

#include "platform/FieldLine.h"
#include "platform/InputDiagnostics.h"
#include "platform/LineReader.h"
#include "platform/Sinks.h"
#include "platform/TextEncoding.h"
#include "platform/WorkContext.h"

#include <cstdio>

const PileListColumn kPileListColumns[11] = {
    {"序号", 60, ColumnAlign::Left},
    {"编号", 50, ColumnAlign::Right},
    {"桩号", 50, ColumnAlign::Right},
    {"桩型", 50, ColumnAlign::Right},
    {"规格/桩径m", 90, ColumnAlign::Right},
    {"桩长m", 60, ColumnAlign::Right},
    {"埋深m", 60, ColumnAlign::Right},
    {"土质", 150, ColumnAlign::Right},
    {"地形", 50, ColumnAlign::Right},
    {"极限承载力kN", 120, ColumnAlign::Centre},
    {"极限承载力平均值kN", 120, ColumnAlign::Left},
};

namespace {

// Lines shorter than this are stray characters, not entries.
constexpr int kShortestEntry = 5;

constexpr const char* kEntryFormat = "%d,%d,%s,%s,%f,%f,%f,%s,%s,%f,%f\n";
constexpr const char* kEntryFields[] = {
    "序号", "编号", "桩号", "桩型",       "规格/桩径",       "桩长",
    "埋深", "土质", "地形", "极限承载力", "极限承载力平均值"};

std::string trimmed(const std::string& s) {
    size_t b = s.find_first_not_of(" \t");
    if (b == std::string::npos) return {};
    size_t e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

std::string formatted(const char* fmt, double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, fmt, v);
    return buf;
}

}  // namespace

CPileTestRecord CPileLibrary::ParseEntry(const std::string& line) {
    CPileTestRecord e;
    scanFields(line, kEntryFormat,
               {&e.seqNo, &e.number, &e.pileId, &e.pileType, &e.size, &e.length, &e.embedDepth,
                &e.soil, &e.terrain, &e.capacity, &e.capacityMean});
    for (std::string* text : {&e.pileId, &e.pileType, &e.soil, &e.terrain})
        *text = cutToGbkWidth(trimmed(*text), kTextBytes);
    return e;
}

void CPileLibrary::ParseLibraryText(const std::string& text, InputDiagnostics* diag) {
    entries.clear();
    LineReader in(text);
    std::string line;
    while (fgets_skip_comment(in, line)) {
        if (gbkWidth(line) < kShortestEntry) continue;
        entries.push_back(ParseEntry(line));
        if (!diag) continue;
        for (const FieldIssue& issue : checkFieldLine(line, kEntryFormat))
            diag->add(in.lineNumber(), issue.field < 11 ? kEntryFields[issue.field] : "第12个值",
                      issue.found, FieldIssueText(issue));
    }
}

int CPileLibrary::LoadPileLibraryFile(const std::string& path, InputDiagnostics* diagnostics) {
    std::optional<std::string> bytes = readInputFile(path, kMaxFileBytes, diagnostics);
    if (!bytes) return 0;
    ParseLibraryText(decodeFileText(*bytes), diagnostics);
    return 1;
}

int CPileLibrary::LoadPileLibrary(const WorkContext& ctx) {
    return LoadPileLibraryFile(exeFile(ctx, kFileName));
}

int CPileLibrary::SelectRows(const std::vector<int>& rows, MessageSink& messages) {
    for (CPileTestRecord& e : entries) e.selected = 0;
    int counted = 0;
    for (int row : rows) {
        if (row < 0 || row >= static_cast<int>(entries.size()) || entries[row].selected) continue;
        entries[row].selected = 1;
        ++counted;
    }
    if (counted == 0) {
        messages.message("请用鼠标选择至少一根桩 !");
        return 0;
    }
    return 1;
}

std::vector<std::string> PileListRowTexts(const CPileTestRecord& e, int row) {
    bool rail = e.pileType.find("钢轨") != std::string::npos;
    return {
        std::to_string(row + 1),
        std::to_string(e.number),
        e.pileId,
        e.pileType,
        formatted(rail ? "%.1fkg/m" : "%.2fm", e.size),
        formatted("%.2f", e.length),
        formatted("%.2f", e.embedDepth),
        e.soil,
        e.terrain,
        formatted("%.2f", e.capacity),
        formatted("%.2f", e.capacityMean),
    };
}

int TakeOverPileKinds(CSlideCalcData& record, const CPileLibrary& library, bool asCandidates) {
    // The check modes and the berm and unloading designs use one pile kind:
    // the first marked entry becomes kind 0.
    if (!asCandidates) record.pileKindCount = 0;
    return record.AddPileKindsFromLibrary(library.entries);
}
