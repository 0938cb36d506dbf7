// The open project's record: which calculation kinds it holds and the item
// numbers of each kind, kept in the fixed-layout file "Talvor.PRJ" in the work
// path. Item data files themselves belong to the calculation record.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

class AtomicFileWriter;
class InputDiagnostics;
struct WorkContext;

class CProjectData {
  public:
    static constexpr int kKinds = 50;
    static constexpr int kMaxItems = 100;
    static constexpr int kMaxNumber = 5000;
    static constexpr int kFileSize = 20484;  // with the one kind the system defines
    static constexpr const char* kFileName = "Talvor.PRJ";
    static constexpr const char* kBackupName = "Talvor.BAK";
    // The largest project file read; a real one is kFileSize bytes.
    static constexpr uint64_t kMaxFileBytes = 16 * 1024 * 1024;

    int AllocItemNumber();
    int AddItem(int kind);
    bool RemoveItem(int kind, int position);

    bool LoadProject(const WorkContext& ctx);
    // The same, noting what is damaged in the file (the reading is the same).
    bool LoadProject(const WorkContext& ctx, InputDiagnostics* diagnostics);
    bool SaveProject(const WorkContext& ctx);
    // The same, writing through the given writer (tests pass one that fails).
    bool SaveProject(const WorkContext& ctx, AtomicFileWriter& writer);

    // The file's bytes for the record as it stands.
    std::string FormatProjectFile() const;
    // Takes the arrays from a file's bytes; false (record unchanged) when the
    // magic is missing or the file is too short or holds impossible counts.
    bool ParseProjectFile(std::string_view bytes, InputDiagnostics* diagnostics = nullptr);

    // Marks the kind as part of the project; a change marks the record modified.
    void IncludeKind(int kind);

    bool operator==(const CProjectData&) const = default;

    int32_t modified = 0;
    std::array<int32_t, kKinds> kindIncluded{};
    std::array<int32_t, kKinds> itemCount{};
    std::array<std::array<int32_t, kMaxItems>, kKinds> itemNumbers{};
};

// The one calculation kind of the system, as the project file names it.
struct CCalcKind {
    const char* title;
    int command;
    int flag;
};
inline constexpr CCalcKind kCalcKinds[] = {{"Talvor设计计算", 32846, 1}};
inline constexpr int kCalcKindCount = 1;

// "&TLVR_%04d", the file base of item n; the data file adds ".dat".
std::string ItemFileBase(int number);
// "&TLVR_%04d.DAT", the name under which the item list reads the data file.
std::string ItemListFileName(int number);
