// printf into a growing UTF-8 buffer; GBK only when the file is written.
#include "platform/ReportWriter.h"

#include "platform/AtomicFile.h"
#include "platform/PrintfFormat.h"
#include "platform/TextEncoding.h"

#include <cstdarg>

void ReportWriter::printf(const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    appendPrintf(m_text, fmt, args);
    va_end(args);
}

int ReportWriter::saveGbk(const std::string& path) const {
    return writeFileAtomically(path, utf8ToGbk(m_text));
}

std::string gbkPad(std::string_view utf8, int width) {
    int target = width < 0 ? -width : width;
    int pad = target - gbkWidth(utf8);
    if (pad <= 0) return std::string(utf8);
    std::string blanks(pad, ' ');
    return width > 0 ? blanks + std::string(utf8) : std::string(utf8) + blanks;
}

void MorvaneScript(ReportWriter& report, std::string_view directive) {
    report.text(kScriptOpen);
    report.text(directive);
    report.text(kScriptClose);
    report.text("\n");
}
