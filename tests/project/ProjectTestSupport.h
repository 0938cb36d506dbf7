// Helpers of the project tests: a program whose work and program directories
// are one temporary directory, a disk that fills up, scripted answers.
#pragma once

#include "platform/WorkContext.h"
#include "project/ReportDocument.h"
#include "support/TestSupport.h"

#include <filesystem>
#include <random>

struct Program {
    TempDir dir;
    RecordingSinks sinks;
    WorkContext ctx;
    Program() {
        ctx.G_strExePath = ctx.G_strWorkPath = dir.path();
        ctx.status = &sinks;
        ctx.messages = &sinks;
    }
    std::string file(const std::string& name) const { return dir.file(name); }
    bool has(const std::string& name) const { return std::filesystem::exists(dir.file(name)); }
    int regularFiles() const {
        int n = 0;
        for (auto& e : std::filesystem::recursive_directory_iterator(dir.path()))
            n += e.is_regular_file();
        return n;
    }
};

inline std::string randomBytes(std::mt19937& rng, size_t n) {
    std::uniform_int_distribution<int> byte(0, 255);
    std::string s(n, '\0');
    for (char& c : s) c = static_cast<char>(byte(rng));
    return s;
}

// Answers every question with the same word.
struct AnsweringSinks : RecordingSinks {
    explicit AnsweringSinks(bool yes) : yes(yes) {}
    bool question(const std::string& text, bool) override {
        messages.push_back(text);
        return yes;
    }
    bool yes;
};

// One line per run: "text@colour/height" or "picture:file".
inline std::vector<std::string> runs(const ReportDocument& doc) {
    std::vector<std::string> out;
    for (const ReportRun& r : doc)
        out.push_back(r.kind == ReportRun::Kind::Picture ? "picture:" + r.pictureFile
                                                         : r.text + "@" + std::to_string(r.colour) +
                                                               "/" + std::to_string(r.heightTwips));
    return out;
}
