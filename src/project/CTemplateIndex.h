// The template library in the program directory: the index "Template/Talvor.MB"
// of stored example items and the numbering of their data files
// "Template/Talvor_%04d.DAT".
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

class AtomicFileWriter;
class InputDiagnostics;
struct WorkContext;

class CTemplateIndex {
  public:
    static constexpr int kKinds = 50;
    static constexpr int kMaxTemplates = 100;
    static constexpr int kMaxNumber = 5000;
    static constexpr int kFileSize = 20250;
    // The largest template index read.
    static constexpr uint64_t kMaxFileBytes = 16 * 1024 * 1024;

    // Creates the template directory when missing, then reads the index; false
    // (index unchanged) when the file is missing, foreign or damaged.
    bool LoadTemplateIndex(const WorkContext& ctx);
    // The same, noting what is damaged in the index (the reading is the same).
    bool LoadTemplateIndex(const WorkContext& ctx, InputDiagnostics* diagnostics);
    bool SaveTemplateIndex(const WorkContext& ctx) const;
    bool SaveTemplateIndex(const WorkContext& ctx, AtomicFileWriter& writer) const;

    int AddTemplate(int kind);
    bool RemoveTemplate(int kind, int position);

    std::string FormatIndexFile() const;
    bool ParseIndexFile(std::string_view bytes, InputDiagnostics* diagnostics = nullptr);

    bool operator==(const CTemplateIndex&) const = default;

    std::array<int32_t, kKinds> templateCount{};
    std::array<std::array<int32_t, kMaxTemplates>, kKinds> templateNumbers{};
};

// The template directory under the program directory (found ignoring case),
// ending with "/"; created when createIt and it does not exist.
std::string TemplateDirectory(const WorkContext& ctx, bool createIt);
// The data file of template n.
std::string TemplateFilePath(const WorkContext& ctx, int number);
