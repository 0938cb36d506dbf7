// The printed pages of a report: the text within one-inch margins, the project
// and the item at the head of every page and "第 n 页 共 m 页" at its foot.
// The report view prints, previews and saves PDF with it, and so does
// talvor-cli report --pdf, so both hand in the same pages.
#pragma once

#include "project/ReportDocument.h"

#include <QString>

#include <string>

class QPagedPaintDevice;
class QTextDocument;

struct ReportHeading {
    ReportHeading(QString projectName = {}, QString itemName = {})
        : project(std::move(projectName)), item(std::move(itemName)) {}

    QString project;  // the project's name
    QString item;     // the item's description
    // A cover page before the report (project, item, date, design basis and
    // the lines to sign); the report's pages are numbered without it.
    bool cover = false;
    QString date;  // the date on the cover, "2026-12-07"; empty: today
};

// The lines of the cover, top to bottom: title, project, item, date, the
// design basis (the method and the codes), and "计算：", "校核：", "审核：".
QStringList CoverLines(const ReportHeading& heading);

// Blocks of a report that head what follows them ("[剩余下滑力曲线]",
// "计算结果:", "    第 3 块滑体"): never the last thing on a page.
bool IsReportHeading(const QString& text);

// In a document laid out in pages (its page size set), moves every heading
// the layout leaves at a page's foot to the next page, with what it heads.
// Returns the headings moved.
int KeepHeadingsWithNext(QTextDocument& doc);

// Lays doc out for the device's page and paints every page; pictures and
// lines are never split across pages. The device's own page margins are set
// to none: the margins are the report's. marginLines draws the margins as
// dotted lines, as the print preview shows them. Returns the number of pages
// painted, 0 when the device could not be painted on.
int printReport(const QTextDocument& doc, QPagedPaintDevice& device, const ReportHeading& heading,
                bool marginLines = false);

// The pages of a document as PDF on A4, written atomically; 1 when written.
// The PDF a user hands in has a cover (heading.cover).
int WriteDocumentPdf(const std::string& path, const QTextDocument& doc,
                     const ReportHeading& heading);

// The heading outside the desktop program: the project's name from the
// information file of the work path (else from the work path's folder name,
// as a project is named after its folder), the item's from the report's head.
ReportHeading ReportHeadingOf(const std::string& workPath, const ReportDocument& report);

// The pages of a report (its pictures' drawings in workPath) as PDF on A4,
// written atomically; 1 when written. missing counts the pictures that could
// not be had. Needs a QGuiApplication for its fonts and pictures.
int WriteReportPdf(const std::string& path, const ReportDocument& report,
                   const std::string& workPath, const ReportHeading& heading, int& missing);
