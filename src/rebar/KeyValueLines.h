// Small text files of "key=value" lines (the reinforcement settings beside an
// item, the section of a verification case): blank lines and "//" comments
// are skipped, blanks round keys and values dropped. GBK or UTF-8 on disk.
#pragma once

#include <optional>
#include <string>
#include <vector>

class InputDiagnostics;

struct KeyValueLine {
    int line = 0;  // 1-based
    std::string key;
    std::string value;
};

// The key=value lines of text (UTF-8); a line without "=" or without a key is
// told to diagnostics and left out.
std::vector<KeyValueLine> ParseKeyValueLines(const std::string& text,
                                             InputDiagnostics& diagnostics);

// The whole text as a number; nullopt when anything else is in it.
std::optional<double> WholeNumber(const std::string& text);
