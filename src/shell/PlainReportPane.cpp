// Reading a report file into a plain text pane.
#include "shell/PlainReportPane.h"

#include "shell/Commands.h"

#include "project/RtfReader.h"

#include <QFontDatabase>

PlainReportPane::PlainReportPane(QWidget* parent) : QPlainTextEdit(parent) {
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    // The report's number tables line up only in a fixed-width face.
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setAccessibleName("计算书");
}

void PlainReportPane::loadReport(const QString& path) {
    // RTF as a calculation leaves it, or plain text as older reports are.
    std::optional<ReportDocument> report = LoadReport(path.toStdString());
    setPlainText(report ? QString::fromStdString(PlainText(*report)) : QString());
}

void PlainReportPane::clearReport() {
    clear();
}

bool PlainReportPane::canRun(int command) const {
    return command == cmd::ClearView && !document()->isEmpty();
}

void PlainReportPane::run(int command) {
    if (command == cmd::ClearView) clearReport();
}
