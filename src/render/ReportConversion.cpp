#include "render/ReportConversion.h"

#include "platform/WorkContext.h"
#include "project/ReportDocument.h"
#include "project/RtfReader.h"
#include "project/RtfWriter.h"
#include "render/DrawingRenderer.h"
#include "render/ReportPages.h"
#include "render/ReportTextDocument.h"

#include <QGuiApplication>

#include <filesystem>

namespace {

// The drawings of "InsertDxf=" lie in the work path: the report's directory
// unless another is given.
std::string workPathOf(const ReportConversion& c) {
    if (!c.workDir.empty()) return withTrailingSlash(c.workDir);
    std::filesystem::path parent = std::filesystem::path(c.report).parent_path();
    return withTrailingSlash(parent.empty() ? std::string(".") : parent.string());
}

// A report short of a picture is not what was asked for: each drawing that
// could not be read is named with the reason.
void tellMissing(int missing, const ReportConversion& c, const ReportDocument& doc,
                 ConvertedReport& out) {
    if (missing == 0) return;
    out.status = 1;
    out.errors.push_back(std::to_string(missing) + " 幅图未能插入");
    for (const std::string& line : UnreadableDrawings(doc, workPathOf(c)))
        out.errors.push_back("    " + line);
}

void notWritten(const std::string& path, ConvertedReport& out) {
    out.errors.push_back("无法写入 " + path);
    out.status = 1;
}

}  // namespace

ConvertedReport ConvertReport(const ReportConversion& c) {
    ConvertedReport out;
    std::string why;
    std::optional<ReportDocument> loaded = LoadReport(c.report, &why);
    if (!loaded) {
        out.errors.push_back("无法读取计算书 " + c.report + (why.empty() ? "" : ": ") + why);
        out.status = 2;
        return out;
    }
    // A plain-text report still carries its directives; RTF has them expanded.
    ReportDocument doc = *loaded;
    if (doc.size() == 1 && doc[0].kind == ReportRun::Kind::Text) doc = ExpandScript(doc[0].text);
    auto app = c.rtf.empty() && c.pdf.empty() ? nullptr : makeOffscreenGuiApplication();
    const std::string work = workPathOf(c);
    if (!c.rtf.empty()) {
        int missing = 0;
        if (!WriteRtf(c.rtf, doc, reportPictureSource(work, missing)))
            notWritten(c.rtf, out);
        else
            tellMissing(missing, c, doc, out);
    }
    if (!c.text.empty() && !WritePlainText(c.text, doc)) notWritten(c.text, out);
    if (!c.pdf.empty()) {
        // The pages the report view prints, on A4, with the cover of the book handed in.
        int missing = 0;
        ReportHeading heading = ReportHeadingOf(work, doc);
        heading.cover = true;
        if (!WriteReportPdf(c.pdf, doc, work, heading, missing))
            notWritten(c.pdf, out);
        else
            tellMissing(missing, c, doc, out);
    }
    if (c.rtf.empty() && c.text.empty() && c.pdf.empty()) out.plainText = PlainText(doc);
    return out;
}
