// Shared test helpers: temporary directories, files held against expected
// files, tolerances, PDF text, and sinks that record what the code under test
// told the user.
#pragma once

#include "platform/AtomicFile.h"
#include "platform/ScratchDir.h"
#include "platform/Sinks.h"

#include <cstdio>

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

// A fresh directory under the system's temporary directory, removed with its
// contents when the object goes out of scope. path() ends with "/".
struct TempDir : ScratchDir {
    TempDir() {
        if (path().empty()) throw std::runtime_error("no temporary directory could be made");
    }
    std::string file(const std::string& name) const { return path() + name; }
};

std::string readBytes(const std::string& path);
void writeBytes(const std::string& path, const std::string& bytes);

// `actual` against the expected file at path; on a mismatch the actual text is
// left beside it as path + ".out", to diff and, when the change is meant, copy.
void expectSameAsFile(const std::string& actual, const std::string& path);

// How often `what` stands in `text`, overlapping runs counted.
size_t occurrences(const std::string& text, const std::string& what);

// |actual - expected| within `fraction` of |expected| (0.005: half a percent).
void expectWithin(double fraction, double actual, double expected, const std::string& what);

// The text of a PDF file as `pdftotext -layout` gives it, pages ending in
// '\f'; nullopt when pdftotext is not installed.
std::optional<std::string> pdfText(const std::string& pdfPath);

// A disk that fills up half way through every file.
class HalfWriter : public AtomicFileWriter {
  protected:
    bool writeAll(std::FILE* file, std::string_view bytes) override {
        std::fwrite(bytes.data(), 1, bytes.size() / 2, file);
        return false;
    }
};

class RecordingSinks : public StatusSink, public MessageSink {
  public:
    void tell_error(int code, const std::string& text) override {
        statuses.push_back(std::to_string(code) + " " + text);
    }
    void message(const std::string& text) override { messages.push_back(text); }
    bool question(const std::string& text, bool defaultAnswer) override {
        messages.push_back(text);
        return defaultAnswer;
    }
    std::vector<std::string> statuses;
    std::vector<std::string> messages;
};
