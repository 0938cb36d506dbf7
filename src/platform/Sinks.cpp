// The command-line sinks.
#include "platform/Sinks.h"

#include <cstdio>

void StderrSinks::tell_error(int code, const std::string& text) {
    std::fprintf(stderr, "[%d] %s\n", code, text.c_str());
}

void StderrSinks::message(const std::string& text) {
    std::fprintf(stderr, "%s\n", text.c_str());
}

bool StderrSinks::question(const std::string& text, bool defaultAnswer) {
    std::fprintf(stderr, "%s [%s]\n", text.c_str(), defaultAnswer ? "是" : "否");
    return defaultAnswer;
}
