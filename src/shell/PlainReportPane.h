// The report as plain read-only text: the text of an RTF report, or a text
// report decoded (GBK or UTF-8) as it stands, drawing directives included. It carries out no
// editing command; the rich-text report view takes its place.
#pragma once

#include "shell/ReportPane.h"

#include <QPlainTextEdit>

class PlainReportPane : public QPlainTextEdit, public ReportPane {
    Q_OBJECT
  public:
    explicit PlainReportPane(QWidget* parent = nullptr);

    QWidget* widget() override { return this; }
    void loadReport(const QString& path) override;
    void clearReport() override;
    bool canRun(int command) const override;
    void run(int command) override;
};
