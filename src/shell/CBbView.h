// The report view, right pane of every project window: an item's calculation
// report as rich text with its drawings as pictures, to read, edit, search,
// save as RTF or text, print, preview and save as PDF. Reading, expanding and
// writing reports and laying out pages are src/render's and src/project's;
// this widget adds the commands and their dialogs.
#pragma once

#include "shell/Commands.h"
#include "shell/ReportPane.h"

#include <QTextDocument>
#include <QTextEdit>

#include <functional>
#include <memory>
#include <string>

class FindReplaceDialog;
class QPrinter;
class ReportPictureStore;
struct ReportHeading;

// What the view needs of its window, and the dialogs a test may answer.
struct ReportViewLinks {
    std::function<std::string()> workPath;         // where "InsertDxf=" drawings lie
    std::function<std::string()> projectName;      // the printed pages' heading
    std::function<void(const QString&)> showLine;  // "Line: %d" into the status bar
    // A file to read (save false) or write, empty for none; default: a file dialog.
    std::function<QString(const QString& title, const QString& filter, bool save)> chooseFile;
    // A number asked for; false when cancelled. Default: an input dialog.
    std::function<bool(const QString& title, const QString& label, int& value)> askNumber;
};

class CBbView : public QTextEdit, public ReportPane {
    Q_OBJECT
  public:
    explicit CBbView(ReportViewLinks links = {}, QWidget* parent = nullptr);
    ~CBbView() override;

    // Loads a report file: RTF when it begins with "{\rtf", else plain text
    // (GBK or UTF-8), directives as they stand. 1 when loaded; 0, with the
    // view unchanged, when the file cannot be read.
    int LoadReport(const QString& path);
    // Turns the directives into pictures and coloured text; returns the
    // number of drawings that could not be read. The caret goes to the start.
    int ExpandScript();
    // Writes the view as RTF and takes path as the report's file; 1 when written.
    int SaveReport(const QString& path);
    void ClearReport();
    // "Line: %d", the caret's line (1-based), into the status bar.
    void ShowLineNumber();

    // The whole text as GBK; 1 when written.
    int WritePlainText(const QString& path) const;
    // Scrolls so that the line (1-based, held to the text) is the first one shown.
    void GoToLine(int line);
    // A picture file (PNG, JPEG, SVG) at the caret; 1 when inserted.
    int InsertPictureFile(const QString& path);
    int SavePdf(const QString& path) const;
    // Finds from the caret, around to the start; selects and returns true when found.
    bool FindText(const QString& text, QTextDocument::FindFlags flags);
    // Replaces the selection when it is the text, then finds the next one.
    void ReplaceNext(const QString& text, const QString& with, QTextDocument::FindFlags flags);
    int ReplaceAll(const QString& text, const QString& with, QTextDocument::FindFlags flags);

    const QString& reportPath() const { return m_path; }
    ReportHeading heading() const;

    // ReportPane: the item bar's result views come through loadReport, which
    // also expands a report still in its text form.
    QWidget* widget() override { return this; }
    void loadReport(const QString& path) override;
    void clearReport() override { ClearReport(); }
    bool canRun(int command) const override;
    void run(int command) override;
    // The report view's commands, each with its rule and its work.
    static CommandTable<CBbView> commands();

  protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    void prepare(const QString& reportFile = {});
    QString chooseFile(const QString& title, const QString& filter, bool save,
                       const QString& suffix = {});
    void tell(const QString& text);
    bool hasText() const { return !document()->isEmpty(); }
    void readRtf();
    void saveRtf(bool askName);
    void saveText();
    void insertObject();
    void printPages();
    void previewPages();
    void savePdfAs();
    void askGoToLine();
    void showFind(bool replace);
    void askCharFormat();
    QPrinter& printer();

    ReportViewLinks m_links;
    std::shared_ptr<ReportPictureStore> m_store;
    QString m_path;
    std::unique_ptr<QPrinter> m_printer;
    FindReplaceDialog* m_find = nullptr;
    QString m_lastFind;
    QTextDocument::FindFlags m_lastFlags;
};
