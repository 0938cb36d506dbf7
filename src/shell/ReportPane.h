// What a project window asks of its right pane, the report view: show a
// report file, empty itself, and carry out the report-view commands of the
// menus. The project window creates it in one place (CSplitterFrame's
// createReportPane) and routes the commands through canRun and run.
#pragma once

class QString;
class QWidget;

class ReportPane {
  public:
    virtual ~ReportPane() = default;
    virtual QWidget* widget() = 0;
    // Shows the report file at path; a missing file leaves the pane empty.
    virtual void loadReport(const QString& path) = 0;
    virtual void clearReport() = 0;
    // Whether the pane carries out the command now; menu entries of commands
    // it does not carry out are grey.
    virtual bool canRun(int command) const = 0;
    virtual void run(int command) = 0;
};
