// Temporary file plus rename, with the temporary removed on every failure.
#include "platform/AtomicFile.h"

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

bool AtomicFileWriter::writeAll(std::FILE* file, std::string_view bytes) {
    return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
}

int AtomicFileWriter::write(const std::string& path, std::string_view bytes) {
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

int writeFileAtomically(const std::string& path, std::string_view bytes) {
    AtomicFileWriter writer;
    return writer.write(path, bytes);
}
