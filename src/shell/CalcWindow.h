// The calculation window "Talvor计算" over the one calculation record: the
// live sketch (the drawing view, with zoom and pan) and the picture of the current page on the
// left, the six pages of input tables on the right, the description line with "计算" and "返回"
// below, and the auxiliary commands in its menu "辅助功能".
#pragma once

#include "shell/commands/RecordEdits.h"

#include "rebar/RebarSettings.h"
#include "tables/TableEdit.h"
#include "tables/TablePage.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CSlideCalcData;
class CTemplateIndex;
class CellFlags;
class CCxView;
class CalcRunner;
class DrawingBox;
class QAction;
class QLayout;
class QLineEdit;
class QMenuBar;
class QPushButton;
class QStatusBar;
class QTabWidget;
class SketchLink;
class TableGrid;
class TablePageWidget;
struct WorkContext;

// What the window works on and how it reaches the rest of the program.
struct CalcWindowLinks {
    CSlideCalcData* record = nullptr;
    const WorkContext* ctx = nullptr;  // work path and sinks
    std::string fileBase;              // the item's "&TLVR_%04d"
    int kind = 0;                      // calculation kind, for the template library
    CTemplateIndex* templates = nullptr;
    // Loads a report file into the report view, expanding its directives.
    std::function<void(const std::string& path)> showReport;
    // Chooses a file to read (save false) or write; empty for none. The
    // default asks with a file dialog.
    std::function<std::string(const QString& title, const QString& filter, bool save)> chooseFile;
    // Edits the reinforcement settings kept at path; nullopt when cancelled.
    // The default shows the dialog "配筋参数".
    std::function<std::optional<RebarSettings>(const RebarSettings& current,
                                               const std::string& path)>
        editRebarSettings;
};

// How the window was closed.
enum class CalcWindowExit {
    Returned,      // "返回" or the window's close button
    Calculated,    // a calculation succeeded
    ShowDrawings,  // "查看计算图形结果": the result drawings are to be shown
};

class CalcWindow : public QDialog {
    Q_OBJECT
  public:
    CalcWindow(CalcWindowLinks links, QWidget* parent = nullptr);
    ~CalcWindow() override;

    CalcWindowExit exitReason() const { return m_exit; }

    // The parts a user sees, for the program's own tests.
    QTabWidget* tabs() const { return m_tabs; }
    TablePageWidget* page(int tab) const { return m_pages.at(tab); }
    TableGrid* grid(TableId id) const;
    QLineEdit* description() const { return m_description; }
    QPushButton* calculateButton() const { return m_calculate; }
    QPushButton* returnButton() const { return m_return; }
    QAction* action(const QString& text) const;
    CCxView* sketch() const { return m_sketch; }
    QStatusBar* statusBar() const { return m_status; }
    // Every change of the record, with undo and redo.
    RecordEdits* edits() const { return m_edits; }
    // The sketch and the tables pointing at each other.
    SketchLink* sketchLink() const { return m_link; }
    bool calculating() const;
    CalcRunner* runner() const { return m_runner; }
    // What "计算" lists before it runs: the cells whose text was read only in
    // part, then the values outside their physical range; empty when none.
    QStringList inputWarnings() const;

    // Rebuilds the live sketch from the record.
    void rebuildSketch();
    // Every page and the sketch re-read the record (after it changed
    // underneath, not through the edits).
    void refreshPages();

    void OnCalculate();
    void OnReturn();
    void OnReadDataFile();
    void OnWriteDataFile();
    void OnShowDrawings();
    void OnShowReport();
    void OnStoreTemplate();
    void OnImportDxf();
    void OnRebarSettings();
    void OnPileKinds();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void done(int result) override;

  private:
    void buildMenu(QMenuBar* menu);
    // The one notice of a changed record: tables, sketch, description.
    void recordChanged(RecordPart part);
    QWidget* buildLeft();
    QLayout* buildBottom();
    void buildPages();
    void OnTabChanged(int tab);
    EditOutcome applyEdit(CTablePage& page, TableEdit edit);
    void takeDescription();
    std::string chooseFile(const QString& title, bool save);
    void setBusy(bool busy);
    void message(const std::string& text);
    bool confirmDespiteWarnings();

    CalcWindowLinks m_links;
    // The flags of texts read in part, shared by every page over the record.
    std::unique_ptr<CellFlags> m_flags;
    CSlideCalcData& m_record;
    const WorkContext& m_ctx;
    CalcWindowExit m_exit = CalcWindowExit::Returned;
    CCxView* m_sketch;
    DrawingBox* m_picture;
    QTabWidget* m_tabs;
    std::vector<TablePageWidget*> m_pages;
    QLineEdit* m_description;
    QPushButton* m_calculate;
    QPushButton* m_return;
    QMenuBar* m_menu;
    QStatusBar* m_status;
    CalcRunner* m_runner;
    RecordEdits* m_edits;
    QAction* m_undo;
    QAction* m_redo;
    SketchLink* m_link = nullptr;
};

struct ItemContext;

// The calculation window for an item (command 32846): the record takes the
// item's caption and result names and, unless the item is new, its data
// file; the window runs modally; then, however it closed, the record is
// written back to the data file (a message when that fails, the old file
// kept). Returns how the window was closed.
CalcWindowExit RunCalcWindow(CalcWindowLinks links, const ItemContext& item, QWidget* parent);
