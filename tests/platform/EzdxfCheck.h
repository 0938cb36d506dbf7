// Test helper: runs the ezdxf scripts of tests/platform/data on a DXF file
// and parses what the independent reader found. Needs TALVOR_EZDXF_PYTHON.
#pragma once

#include <array>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include <sys/wait.h>

namespace ezdxf_check {

inline std::string scriptDir() {
    return std::string(TALVOR_PLATFORM_TEST_DATA) + "/";
}

// Runs a command and gives its standard output; *status gets the exit status.
inline std::string run(const std::string& command, int* status) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        *status = -1;
        return out;
    }
    std::array<char, 4096> buf{};
    size_t n;
    while ((n = fread(buf.data(), 1, buf.size(), pipe)) > 0) out.append(buf.data(), n);
    int rc = pclose(pipe);
    *status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
    return out;
}

inline std::string quote(const std::string& s) {
    return "'" + s + "'";
}

struct Report {
    int status = -1;
    std::string version;
    std::string codePage;
    int auditErrors = -1;
    std::vector<std::string> lines;  // the entity lines as the script printed them
    std::string raw;

    int count(const std::string& prefix) const {
        int k = 0;
        for (const auto& l : lines) k += l.rfind(prefix, 0) == 0;
        return k;
    }
    bool has(const std::string& line) const {
        for (const auto& l : lines)
            if (l == line) return true;
        return false;
    }
};

// What ezdxf reads in the file, with its audit.
inline Report readWithEzdxf(const std::string& path) {
    Report r;
    r.raw = run(std::string(TALVOR_EZDXF_PYTHON) + " " + quote(scriptDir() + "dxf_check.py") + " " +
                    quote(path) + " 2>&1",
                &r.status);
    std::istringstream in(r.raw);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream f(line);
        std::string head;
        f >> head;
        if (head == "VERSION") {
            f >> r.version >> r.codePage;
        } else if (head == "AUDIT") {
            f >> r.auditErrors;
        } else {
            r.lines.push_back(line);
        }
    }
    return r;
}

// Writes the reference drawing of make_dxf.py as R12 or R2000; 0 on success.
inline int writeWithEzdxf(const std::string& path, const std::string& version) {
    int status = -1;
    run(std::string(TALVOR_EZDXF_PYTHON) + " " + quote(scriptDir() + "make_dxf.py") + " " +
            quote(path) + " " + version + " 2>&1",
        &status);
    return status;
}

}  // namespace ezdxf_check
