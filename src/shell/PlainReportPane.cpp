// Reading a report file into a plain text pane.
#include "shell/PlainReportPane.h"

#include "shell/Commands.h"

#include "platform/LineReader.h"
#include "platform/TextEncoding.h"

#include <QFontDatabase>

PlainReportPane::PlainReportPane(QWidget* parent) : QPlainTextEdit(parent) {
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    // The report's number tables line up only in a fixed-width face.
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setAccessibleName("计算书");
}

void PlainReportPane::loadReport(const QString& path) {
    std::optional<std::string> bytes = readFileBytes(path.toStdString());
    setPlainText(bytes ? QString::fromStdString(decodeFileText(*bytes)) : QString());
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
