// A report as a QTextDocument, the form the report view edits and the printed
// pages are laid out from, and such a document back as report runs for the
// RTF writer. The desktop program and talvor-cli build it the same way, so
// both hand in the same pages.
#pragma once

#include "project/ReportDocument.h"
#include "project/RtfWriter.h"

#include <QFont>
#include <QTextCharFormat>

#include <functional>
#include <memory>
#include <string>

struct CalcRunResult;
class DrawingShelf;
class QTextCursor;
class QTextDocument;
class ReportPictureStore;

// The report's face: fixed pitch with Latin characters half as wide as
// Chinese ones, as 宋体 is, so that columns aligned with blanks in the GBK
// report line up.
QFont reportFont(double pointSize = 10.0);

// The format of a text run: automatic colour is no colour of its own.
QTextCharFormat reportRunFormat(int colour, int heightTwips);

// Empties doc and prepares it for a report: the face, lines that wrap even
// without blanks, tab stops every eight half-width characters, and the
// pictures of store (a fresh store per report).
void prepareReportDocument(QTextDocument& doc, const std::shared_ptr<ReportPictureStore>& store);

// Inserts a picture run at the cursor: the drawing it names (through the
// store) or the PNG it carries. 0 when there is no picture to insert.
int insertReportPicture(QTextCursor& cursor, const ReportRun& picture, ReportPictureStore& store);

// Inserts the runs at the cursor; returns how many pictures could not be had.
int insertReport(QTextCursor& cursor, const ReportDocument& report, ReportPictureStore& store);

// Expands the report-script directives of the document in place, as the
// report view does after loading a calculation's report: each marked block
// becomes the picture of its drawing (nothing when the drawing cannot be
// read) or its text in its colour and height; other blocks and an opening
// marker without a closing one stay as text. At most 10000 blocks. Returns
// the number of drawings that could not be read; the cursor of the caller is
// not moved.
int ExpandScriptInDocument(QTextDocument& doc, ReportPictureStore& store);

// The text layout takes time growing with the square of a paragraph's
// length: a paragraph of more characters than any report line is broken, at
// its last blank before the bound where it has one. Returns the breaks made.
int breakLongParagraphs(QTextDocument& doc);

// The document as report runs: text with its colour and height, and each
// picture as PNG at print resolution.
ReportDocument reportOfDocument(const QTextDocument& doc);

// For the RTF writer: the PNG a picture run carries, else its drawing of the
// work path at print resolution. Counts the pictures that could not be had.
PictureSource reportPictureSource(const std::string& workPath, int& missing);

// The report text of a calculation (with its directives) written as RTF with
// the directives expanded and the drawings embedded, as the report view saves
// it after a calculation. The drawings the run kept on shelf are taken from
// there, the others read from workPath; they are painted on as many threads
// as there are cores. 1 when written; missing counts absent drawings.
int WriteExpandedReport(const std::string& path, const std::string& reportText,
                        const std::string& workPath, int& missing,
                        const DrawingShelf* shelf = nullptr);

// A calculation's finishing step (RunOptions::finishReport) in both programs:
// its saved report at path rewritten by WriteExpandedReport, so that a word
// processor shows the pictures. The reason when that failed (the text report
// is kept then), else empty. Needs the GUI application (fonts, painting).
std::string ExpandSavedReport(const std::string& path, const std::string& reportText,
                              const std::string& workPath, const DrawingShelf* shelf);

// The same finishing step for a run on this thread: each saved report of the
// runs it is given to is expanded with the drawings of workPath.
std::function<std::string(const CalcRunResult& run)> ExpandingSavedReports(
    const std::string& workPath);
