// Numbering of items and the byte layout of "Talvor.PRJ".
#include "project/CProjectData.h"

#include "platform/AtomicFile.h"
#include "platform/InputDiagnostics.h"
#include "platform/LineReader.h"
#include "platform/TextEncoding.h"
#include "platform/WorkContext.h"
#include "project/BinaryLayout.h"
#include "project/NumberLists.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr std::string_view kMagic = "Morvane Talvor Project v1.0";
constexpr size_t kMagicField = 50;
constexpr size_t kIncludedAt = 50;
constexpr size_t kCountAt = 250;
constexpr size_t kNumbersAt = 450;
constexpr size_t kKindCountAt = 20450;
constexpr size_t kTitleBytes = 30;

}  // namespace

std::string ItemFileBase(int number) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "&TLVR_%04d", number);
    return buf;
}

std::string ItemListFileName(int number) {
    return ItemFileBase(number) + ".DAT";
}

int CProjectData::AllocItemNumber() {
    // Set even when no number is left: the caller's attempt counts as a change.
    modified = 1;
    return SmallestFreeNumber<kMaxNumber>(itemNumbers);
}

int CProjectData::AddItem(int kind) {
    if (kind < 0 || kind >= kKinds) return 0;
    if (itemCount[kind] >= kMaxItems) return 0;
    int n = AllocItemNumber();
    if (n == 0) return 0;
    AppendNumber(itemNumbers[kind], itemCount[kind], n);
    return n;
}

bool CProjectData::RemoveItem(int kind, int position) {
    if (kind < 0 || kind >= kKinds) return false;
    if (!RemoveNumberAt(itemNumbers[kind], itemCount[kind], position)) return false;
    modified = 1;
    return true;
}

void CProjectData::IncludeKind(int kind) {
    if (kind < 0 || kind >= kKinds || kindIncluded[kind]) return;
    kindIncluded[kind] = 1;
    modified = 1;
}

std::string CProjectData::FormatProjectFile() const {
    std::string out(kKindCountAt + 4 + kTitleBytes * kCalcKindCount, '\0');
    std::memcpy(out.data(), kMagic.data(), kMagic.size());
    for (int k = 0; k < kKinds; ++k) {
        putInt32(out, kIncludedAt + 4 * k, kindIncluded[k]);
        putInt32(out, kCountAt + 4 * k, itemCount[k]);
        for (int i = 0; i < kMaxItems; ++i)
            putInt32(out, kNumbersAt + 4 * (k * kMaxItems + i), itemNumbers[k][i]);
    }
    putInt32(out, kKindCountAt, kCalcKindCount);
    for (int k = 0; k < kCalcKindCount; ++k) {
        // The title field is GBK on disk; the first 30 bytes of it, NUL-padded.
        std::string title = utf8ToGbk(kCalcKinds[k].title).substr(0, kTitleBytes);
        std::memcpy(out.data() + kKindCountAt + 4 + kTitleBytes * k, title.data(), title.size());
    }
    return out;
}

bool CProjectData::ParseProjectFile(std::string_view bytes, InputDiagnostics* diag) {
    auto refuse = [&](const std::string& what) {
        if (diag) diag->add(0, "", "", what);
        return false;
    };
    if (bytes.size() < kKindCountAt)
        return refuse("文件只有 " + std::to_string(bytes.size()) + " 字节, 应有 " +
                      std::to_string(kFileSize) + " 字节");
    if (bytes.substr(0, kMagicField).find(kMagic) == std::string_view::npos)
        return refuse("前 50 字节中没有工程文件标记 “" + std::string(kMagic) + "”");
    CProjectData read;
    for (int k = 0; k < kKinds; ++k) {
        read.kindIncluded[k] = getInt32(bytes, kIncludedAt + 4 * k);
        read.itemCount[k] = getInt32(bytes, kCountAt + 4 * k);
        // A count outside the list would index past it: the file is damaged.
        if (read.itemCount[k] < 0 || read.itemCount[k] > kMaxItems)
            return refuse("itemCount[" + std::to_string(k + 1) + "] 为 " +
                          std::to_string(read.itemCount[k]) + ", 超出 0..100");
        for (int i = 0; i < kMaxItems; ++i)
            read.itemNumbers[k][i] = getInt32(bytes, kNumbersAt + 4 * (k * kMaxItems + i));
    }
    if (diag) NoteNumberLists<kMaxNumber>(read.itemCount, read.itemNumbers, "itemNumbers", *diag);
    read.modified = 0;
    *this = read;
    return true;
}

bool CProjectData::LoadProject(const WorkContext& ctx) {
    return LoadProject(ctx, nullptr);
}

bool CProjectData::LoadProject(const WorkContext& ctx, InputDiagnostics* diagnostics) {
    std::string path = workFile(ctx, kFileName);
    std::optional<std::string> bytes = readInputFile(path, kMaxFileBytes, diagnostics);
    if (!bytes) return false;
    return ParseProjectFile(*bytes, diagnostics);
}

bool CProjectData::SaveProject(const WorkContext& ctx) {
    AtomicFileWriter writer;
    return SaveProject(ctx, writer);
}

bool CProjectData::SaveProject(const WorkContext& ctx, AtomicFileWriter& writer) {
    if (!modified) return true;
    std::string path = workFile(ctx, kFileName);
    // The backup is the file as it was before this save; a first save has none.
    if (std::optional<std::string> old = readFileBytes(path))
        writer.write(workFile(ctx, kBackupName), *old);
    if (!writer.write(path, FormatProjectFile())) return false;
    modified = 0;
    return true;
}
