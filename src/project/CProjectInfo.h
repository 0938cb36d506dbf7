// The project information kept in "GCXX.BOX" in the work path: name, number,
// design time, work path and industry. The dialog that edits it is the
// desktop program's; here are its defaults, reading and writing.
#pragma once

#include <ctime>
#include <cstdint>
#include <string>

class InputDiagnostics;

struct CProjectInfo {
    static constexpr const char* kFileName = "GCXX.BOX";
    // The largest information file read; a real one has four short lines.
    static constexpr uint64_t kMaxFileBytes = 16 * 1024 * 1024;
    static constexpr int kIndustries = 4;

    std::string name = "****工程Talvor设计计算";
    std::string number = "990001";
    std::string designTime;
    // The system's temporary directory stands for the original's "c:\temp\".
    std::string workPath = "/tmp/";
    int industry = 0;

    // Defaults with the design time of `now` and the given work path.
    static CProjectInfo Defaults(const std::string& workPath, std::time_t now);

    // Reads "GCXX.BOX" of the directory dir; 0 when there is none (the fields
    // are then left as they are).
    int ReadInfoFile(const std::string& dir);
    // The same, noting what is damaged in the file (the reading is the same).
    int ReadInfoFile(const std::string& dir, InputDiagnostics* diagnostics);
    // Writes "GCXX.BOX" into dir (as GBK, atomically); 0 when it could not.
    int WriteInfoFile(const std::string& dir) const;

    // Fields from the file's text, already decoded; the work path is not stored.
    void ParseInfoText(const std::string& text, InputDiagnostics* diagnostics = nullptr);
    std::string FormatInfoText() const;

    bool operator==(const CProjectInfo&) const = default;
};

// "%d年%d月%d日 %s": the design time as the dialog proposes it.
std::string FormatDesignTime(std::time_t now);

// The industries in the order of the dialog's combo.
extern const char* const kIndustryNames[CProjectInfo::kIndustries];
