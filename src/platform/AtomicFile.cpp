// Temporary file plus rename, with the temporary removed on every failure.
#include "platform/AtomicFile.h"

#include "platform/LineReader.h"
#include "platform/WorkContext.h"

#include <cctype>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::string_view kTempMark = ".tmp-";
constexpr size_t kTempSuffix = 6;  // mkstemp's XXXXXX
constexpr auto kStaleAfter = std::chrono::minutes(1);

}  // namespace

bool isAtomicTemporaryName(std::string_view name) {
    if (name.size() <= kTempMark.size() + kTempSuffix) return false;
    size_t mark = name.size() - kTempSuffix - kTempMark.size();
    if (name.substr(mark, kTempMark.size()) != kTempMark) return false;
    for (char c : name.substr(name.size() - kTempSuffix))
        if (!std::isalnum(static_cast<unsigned char>(c))) return false;
    return true;
}

void removeStaleTemporaries(const std::string& dir) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const auto now = fs::file_time_type::clock::now();
    fs::directory_iterator it(dir.empty() ? fs::path(".") : fs::path(dir), ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        std::error_code fileEc;
        if (!isAtomicTemporaryName(it->path().filename().string())) continue;
        if (!it->is_regular_file(fileEc) || it->is_symlink(fileEc)) continue;
        auto written = fs::last_write_time(it->path(), fileEc);
        if (!fileEc && now - written > kStaleAfter) fs::remove(it->path(), fileEc);
    }
}

bool AtomicFileWriter::writeAll(std::FILE* file, std::string_view bytes) {
    return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
}

int AtomicFileWriter::write(const std::string& path, std::string_view bytes) {
    removeStaleTemporaries(std::filesystem::path(path).parent_path().string());
    std::string pattern = path + ".tmp-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = mkstemp(name.data());
    if (fd < 0) return 0;
    std::FILE* file = fdopen(fd, "wb");
    if (!file) {
        close(fd);
        unlink(name.data());
        return 0;
    }
    bool ok = writeAll(file, bytes) && std::fflush(file) == 0 && fsync(fileno(file)) == 0;
    ok = std::fclose(file) == 0 && ok;
    // mkstemp makes the file private; a data file is as readable as any other.
    ok = ok && chmod(name.data(), 0644) == 0;
    if (ok && std::rename(name.data(), path.c_str()) == 0) return 1;
    unlink(name.data());
    return 0;
}

int AtomicFileWriter::writeKeepingPrevious(const std::string& path, std::string_view bytes) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(path, ec)) {
        std::optional<std::string> old = readFileBytes(path);
        if (!old) return 0;
        // Writing the same bytes again would only push the real previous
        // version out of the backup.
        if (*old == bytes) return 1;
        if (!write(PreviousVersionPath(path), *old)) return 0;
    }
    return write(path, bytes);
}

std::string PreviousVersionPath(const std::string& path) {
    std::filesystem::path p(path);
    std::string dir = p.parent_path().string();
    return resolveInDir(dir.empty() ? std::string(".") : dir, p.filename().string() + ".BAK");
}

int writeFileAtomically(const std::string& path, std::string_view bytes) {
    AtomicFileWriter writer;
    return writer.write(path, bytes);
}
