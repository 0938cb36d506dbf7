// The library of single-pile horizontal load tests, "TalvorPile.Dat" in the
// program directory: reading it, the texts of the selection list, and taking
// selected tests over as pile kinds. The engineer edits the file; we never write it.
#pragma once

#include "data/CSlideCalcData.h"

#include <cstdint>
#include <string>
#include <vector>

class InputDiagnostics;
class MessageSink;
struct WorkContext;

class CPileLibrary {
  public:
    static constexpr const char* kFileName = "TalvorPile.Dat";
    // The largest pile library read; the shipped one has a few dozen lines.
    static constexpr uint64_t kMaxFileBytes = 16 * 1024 * 1024;
    static constexpr int kTextBytes = 99;  // a text field holds 100 bytes with its NUL

    // Reads the library file of the program directory; 0 when it cannot be
    // opened (the entries are then left as they were).
    int LoadPileLibrary(const WorkContext& ctx);
    int LoadPileLibraryFile(const std::string& path, InputDiagnostics* diagnostics = nullptr);
    // Entries from the file's text, already decoded; replaces the entries.
    // diagnostics, when given, note each value the scan had to guess at.
    void ParseLibraryText(const std::string& text, InputDiagnostics* diagnostics = nullptr);

    // One library line scanned over the defaults; text fields longer than a
    // field holds are cut at a character boundary.
    static CPileTestRecord ParseEntry(const std::string& line);

    // Marks the entries at the selected list rows (rows outside the library are
    // ignored); 0 with "请用鼠标选择至少一根桩 !" when none was marked.
    int SelectRows(const std::vector<int>& rows, MessageSink& messages);

    std::vector<CPileTestRecord> entries;
};

enum class ColumnAlign { Left, Right, Centre };

struct PileListColumn {
    const char* title;
    int width;
    ColumnAlign align;
};

// The eleven columns of the selection list.
extern const PileListColumn kPileListColumns[11];

// The eleven texts of the list row at position row (0-based).
std::vector<std::string> PileListRowTexts(const CPileTestRecord& entry, int row);

// Takes the marked entries over into the record: appended to the candidates of
// the pile design, or replacing the one pile kind of the other modes.
int TakeOverPileKinds(CSlideCalcData& record, const CPileLibrary& library, bool asCandidates);
