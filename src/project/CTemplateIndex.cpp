// Byte layout of "Talvor.MB" and the numbering of templates.
#include "project/CTemplateIndex.h"

#include "platform/AtomicFile.h"
#include "platform/InputDiagnostics.h"
#include "platform/LineReader.h"
#include "platform/WorkContext.h"
#include "project/BinaryLayout.h"
#include "project/NumberLists.h"

#include <cstdio>
#include <cstring>
#include <filesystem>

namespace {

constexpr std::string_view kMagic = "Morvane Talvor MoBan v1.0";
constexpr size_t kMagicField = 50;
constexpr size_t kCountAt = 50;
constexpr size_t kNumbersAt = 250;
constexpr const char* kIndexName = "Talvor.MB";

}  // namespace

std::string TemplateDirectory(const WorkContext& ctx, bool createIt) {
    std::string dir = withTrailingSlash(resolveInDir(ctx.G_strExePath, "Template"));
    if (createIt) {
        std::error_code ec;
        std::filesystem::create_directories(dir, ec);
    }
    return dir;
}

std::string TemplateFilePath(const WorkContext& ctx, int number) {
    char name[32];
    std::snprintf(name, sizeof name, "Talvor_%04d.DAT", number);
    return resolveInDir(TemplateDirectory(ctx, false), name);
}

int CTemplateIndex::AddTemplate(int kind) {
    if (kind < 0 || kind >= kKinds || templateCount[kind] >= kMaxTemplates) return 0;
    int n = SmallestFreeNumber<kMaxNumber>(templateNumbers);
    if (n == 0) return 0;
    AppendNumber(templateNumbers[kind], templateCount[kind], n);
    return n;
}

bool CTemplateIndex::RemoveTemplate(int kind, int position) {
    if (kind < 0 || kind >= kKinds) return false;
    return RemoveNumberAt(templateNumbers[kind], templateCount[kind], position);
}

std::string CTemplateIndex::FormatIndexFile() const {
    std::string out(kFileSize, '\0');
    std::memcpy(out.data(), kMagic.data(), kMagic.size());
    for (int k = 0; k < kKinds; ++k) {
        putInt32(out, kCountAt + 4 * k, templateCount[k]);
        for (int i = 0; i < kMaxTemplates; ++i)
            putInt32(out, kNumbersAt + 4 * (k * kMaxTemplates + i), templateNumbers[k][i]);
    }
    return out;
}

bool CTemplateIndex::ParseIndexFile(std::string_view bytes, InputDiagnostics* diag) {
    auto refuse = [&](const std::string& what) {
        if (diag) diag->add(0, "", "", what);
        return false;
    };
    if (bytes.size() < static_cast<size_t>(kFileSize))
        return refuse("文件只有 " + std::to_string(bytes.size()) + " 字节, 应有 " +
                      std::to_string(kFileSize) + " 字节");
    if (bytes.substr(0, kMagicField).find(kMagic) == std::string_view::npos)
        return refuse("前 50 字节中没有模板库标记 “" + std::string(kMagic) + "”");
    CTemplateIndex read;
    for (int k = 0; k < kKinds; ++k) {
        read.templateCount[k] = getInt32(bytes, kCountAt + 4 * k);
        // A count outside the list would index past it: the file is damaged.
        if (read.templateCount[k] < 0 || read.templateCount[k] > kMaxTemplates)
            return refuse("templateCount[" + std::to_string(k + 1) + "] 为 " +
                          std::to_string(read.templateCount[k]) + ", 超出 0..100");
        for (int i = 0; i < kMaxTemplates; ++i)
            read.templateNumbers[k][i] = getInt32(bytes, kNumbersAt + 4 * (k * kMaxTemplates + i));
    }
    if (diag)
        NoteNumberLists<kMaxNumber>(read.templateCount, read.templateNumbers, "templateNumbers",
                                    *diag);
    *this = read;
    return true;
}

bool CTemplateIndex::LoadTemplateIndex(const WorkContext& ctx) {
    return LoadTemplateIndex(ctx, nullptr);
}

bool CTemplateIndex::LoadTemplateIndex(const WorkContext& ctx, InputDiagnostics* diagnostics) {
    std::string dir = TemplateDirectory(ctx, true);
    std::string path = resolveInDir(dir, kIndexName);
    std::optional<std::string> bytes = readInputFile(path, kMaxFileBytes, diagnostics);
    if (!bytes) return false;
    return ParseIndexFile(*bytes, diagnostics);
}

bool CTemplateIndex::SaveTemplateIndex(const WorkContext& ctx) const {
    AtomicFileWriter writer;
    return SaveTemplateIndex(ctx, writer);
}

bool CTemplateIndex::SaveTemplateIndex(const WorkContext& ctx, AtomicFileWriter& writer) const {
    std::string dir = TemplateDirectory(ctx, true);
    return writer.write(resolveInDir(dir, kIndexName), FormatIndexFile()) == 1;
}
