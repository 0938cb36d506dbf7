// Looking for the program directory beside and above the program file.
#include "platform/ProgramDirectory.h"

#include "platform/WorkContext.h"

#include <cstdlib>
#include <filesystem>
#include <vector>

namespace {

bool holdsMark(const std::filesystem::path& dir) {
    std::error_code ec;
    return std::filesystem::is_regular_file(dir / kProgramDirMark, ec);
}

}  // namespace

std::string findProgramDirectory(const std::string& executablePath) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path exe = fs::absolute(executablePath, ec);
    fs::path dir = exe.parent_path();
    // A flat installation keeps everything beside the program; an installed
    // tree keeps it in <prefix>/share/talvor beside <prefix>/bin; the build
    // tree in <build>/share beside <build>/src/shell.
    std::vector<fs::path> candidates{dir};
    fs::path up = dir;
    for (int level = 0; level < 3 && !up.empty(); ++level) {
        candidates.push_back(up / "share" / "talvor");
        candidates.push_back(up / "share");
        if (up == up.parent_path()) break;
        up = up.parent_path();
    }
    for (const fs::path& candidate : candidates)
        if (holdsMark(candidate)) return withTrailingSlash(candidate.lexically_normal().string());
    return withTrailingSlash(dir.string());
}

std::string RunningProgramFile() {
    // Linux names the running program's file here; another system would
    // answer from its own call behind this function.
    std::error_code ec;
    std::filesystem::path file = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : file.string();
}

std::string ProgramDirectory() {
    const char* given = std::getenv("TALVOR_PROGRAM_DIR");
    if (given && *given) return withTrailingSlash(given);
    return findProgramDirectory(RunningProgramFile());
}
