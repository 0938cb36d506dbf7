// Expanding the report-script directives into runs and pictures.
#include "project/ReportDocument.h"

#include "data/InputEcho.h"
#include "platform/AtomicFile.h"
#include "platform/Drawing.h"
#include "platform/ReportWriter.h"
#include "platform/TextEncoding.h"
#include "platform/WorkContext.h"

#include <cstdio>

namespace {

// The view works in characters, not bytes: skip n UTF-8 characters.
size_t byteOffsetOfChar(std::string_view s, size_t n) {
    size_t i = 0;
    while (n > 0 && i < s.size()) {
        ++i;
        while (i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) ++i;
        --n;
    }
    return i;
}

std::string trimmedEnd(std::string_view s) {
    size_t e = s.find_last_not_of(" \t\r\n");
    return std::string(e == std::string_view::npos ? std::string_view() : s.substr(0, e + 1));
}

// "TextStyle=" plus 21 characters of "%d,%f", then the text from the 32nd
// character of the directive on.
ReportRun styledText(std::string_view directive, size_t at) {
    size_t paramsBegin = at + 10;
    size_t paramsEnd = paramsBegin + byteOffsetOfChar(directive.substr(paramsBegin), 21);
    std::string params(directive.substr(paramsBegin, paramsEnd - paramsBegin));
    ReportRun run;
    int c = 0;
    float f = 1.0f;
    int got = std::sscanf(params.c_str(), "%d,%f", &c, &f);
    if (got >= 1) run.colour = c;
    float factor = got == 2 ? f : 1.0f;
    run.heightTwips = static_cast<int>(static_cast<float>(ReportRun::kDefaultHeight) * factor);
    run.text = std::string(directive.substr(byteOffsetOfChar(directive, 31)));
    return run;
}

}  // namespace

void appendText(ReportDocument& doc, std::string_view text, int colour, int heightTwips) {
    if (text.empty()) return;
    ReportRun run;
    run.text = std::string(text);
    run.colour = colour;
    run.heightTwips = heightTwips;
    if (!doc.empty() && doc.back().sameFormat(run)) {
        doc.back().text += text;
        return;
    }
    doc.push_back(std::move(run));
}

std::optional<ReportRun> DirectiveRun(std::string_view directive) {
    size_t at;
    if ((at = directive.find("InsertDxf=")) != std::string_view::npos) {
        ReportRun picture;
        picture.kind = ReportRun::Kind::Picture;
        picture.pictureFile = trimmedEnd(directive.substr(at + 10));
        return picture;
    }
    if ((at = directive.find("TextStyle=")) != std::string_view::npos)
        return styledText(directive, at);
    return std::nullopt;
}

ReportDocument ExpandScript(std::string_view text) {
    constexpr size_t kMarker = 20;
    ReportDocument doc;
    size_t pos = 0;
    // A bound on the blocks, as a guard against a runaway report.
    for (int round = 0; round < 10000; ++round) {
        size_t open = text.find(kScriptOpen, pos);
        if (open == std::string_view::npos) break;
        // A closing marker before the opening one belongs to no block.
        size_t close = text.find(kScriptClose, open + kMarker);
        if (close == std::string_view::npos) break;
        appendText(doc, text.substr(pos, open - pos));
        std::string_view directive = text.substr(open + kMarker, close - open - kMarker);
        std::optional<ReportRun> run = DirectiveRun(directive);
        if (!run)
            appendText(doc, text.substr(open, close + kMarker - open));
        else if (run->kind == ReportRun::Kind::Picture)
            doc.push_back(*run);
        else
            appendText(doc, run->text, run->colour, run->heightTwips);
        pos = close + kMarker;
    }
    appendText(doc, text.substr(pos));
    return doc;
}

std::string ReportItemName(std::string_view reportText) {
    constexpr std::string_view kHead = kReportItemLead;
    size_t at = reportText.find(kHead);
    if (at == std::string_view::npos) return {};
    std::string_view rest = reportText.substr(at + kHead.size());
    return trimmedEnd(rest.substr(0, rest.find('\n')));
}

std::string PlainText(const ReportDocument& doc) {
    std::string out;
    for (const ReportRun& run : doc)
        if (run.kind == ReportRun::Kind::Text) out += run.text;
    return out;
}

int WritePlainText(const std::string& path, const ReportDocument& doc) {
    return writeFileAtomically(path, utf8ToGbk(PlainText(doc)));
}

std::vector<std::string> UnreadableDrawings(const ReportDocument& doc,
                                            const std::string& workPath) {
    std::vector<std::string> out;
    for (const ReportRun& run : doc) {
        if (run.kind != ReportRun::Kind::Picture || !run.png.empty()) continue;
        const std::string path = resolveInDir(workPath, run.pictureFile);
        std::string why;
        DXF drawing;
        if (drawing.Read_FileDxf_To_Mem(path, &why)) continue;
        out.push_back(path + ": " + (why.empty() ? std::string("不是可读的 DXF 文件") : why));
    }
    return out;
}
