// The window's layout and commands. Changes reach the record only through
// RecordEdits, whose one notice refreshes the views, and the run only through
// CalcRunner, so that undo and the command line's calculation stay one code
// each.
#include "shell/CalcWindow.h"

#include "shell/CCxView.h"
#include "shell/CalcRunner.h"
#include "shell/DrawingBox.h"
#include "shell/DxfPreviewDialog.h"
#include "shell/DxfUnitDialog.h"
#include "shell/PileKindsDialog.h"
#include "shell/RebarSettingsDialog.h"
#include "shell/SketchLink.h"
#include "shell/TableGrid.h"
#include "shell/TablePageWidget.h"
#include "shell/commands/RecordEdits.h"

#include "tables/CellFlags.h"

#include "data/CSlideCalcData.h"
#include "data/InputRanges.h"
#include "diagrams/InputPictures.h"
#include "diagrams/ThrustCurve.h"
#include "platform/Drawing.h"
#include "platform/InputDiagnostics.h"
#include "platform/RebarSettingsFile.h"
#include "platform/WorkContext.h"
#include "project/CPileLibrary.h"
#include "project/CTemplateIndex.h"
#include "project/DxfImport.h"
#include "project/ItemList.h"
#include "data/ItemOpening.h"
#include "project/TemplateChooser.h"
#include "run/ResultNames.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <filesystem>

namespace {

const QString kDataFilter = QStringLiteral("Talvor计算数据文件(*.TV)");
const QString kDxfFilter = QStringLiteral("AutoCAD交换文件(*.DXF *.dxf)");

std::unique_ptr<DXF> pagePicture(int tab) {
    std::unique_ptr<DXF> d = NewMemDxf();
    if (d) DrawInputPicture(tab, d.get());
    return d;
}

}  // namespace

CalcWindow::CalcWindow(CalcWindowLinks links, QWidget* parent)
    : QDialog(parent),
      m_links(std::move(links)),
      m_flags(std::make_unique<CellFlags>()),
      m_record(*m_links.record),
      m_ctx(*m_links.ctx),
      m_sketch(new CCxView(this)),
      m_picture(new DrawingBox(this)),
      m_tabs(new QTabWidget(this)),
      m_description(new QLineEdit(this)),
      m_calculate(new QPushButton(QStringLiteral("计算"), this)),
      m_return(new QPushButton(QStringLiteral("返回"), this)),
      m_menu(new QMenuBar(this)),
      m_status(new QStatusBar(this)),
      m_runner(new CalcRunner(this)),
      m_edits(new RecordEdits(m_record, this)),
      m_undo(m_edits->makeUndoAction(this)),
      m_redo(m_edits->makeRedoAction(this)) {
    setWindowTitle(QStringLiteral("Talvor计算"));
    setSizeGripEnabled(true);
    buildMenu(m_menu);
    buildPages();

    auto* centre = new QHBoxLayout;
    centre->addWidget(buildLeft(), 4);
    centre->addWidget(m_tabs, 5);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(m_menu);
    layout->addLayout(centre, 1);
    layout->addLayout(buildBottom());
    layout->addWidget(m_status);
    m_status->setSizeGripEnabled(false);
    m_status->setAccessibleName(QStringLiteral("状态栏"));

    connect(m_calculate, &QPushButton::clicked, this, &CalcWindow::OnCalculate);
    connect(m_return, &QPushButton::clicked, this, &CalcWindow::OnReturn);
    connect(m_tabs, &QTabWidget::currentChanged, this, &CalcWindow::OnTabChanged);
    connect(m_runner, &CalcRunner::progress, this, [this](int done, int total) {
        if (total > 0)
            m_status->showMessage(
                QStringLiteral("搜索进度 %1/%2  (按Esc键取消)").arg(done).arg(total));
    });
    resize(1040, 720);
    m_link = new SketchLink(
        m_record, m_sketch, m_tabs, m_status, [this](TableId id) { return grid(id); }, this);
    for (TablePageWidget* p : m_pages)
        for (TableGrid* g : p->grids()) m_link->watch(g);
    rebuildSketch();
    m_picture->setDrawing(pagePicture(0));
}

CalcWindow::~CalcWindow() = default;

void CalcWindow::buildMenu(QMenuBar* menu) {
    QMenu* edit = menu->addMenu(QStringLiteral("编辑"));
    edit->addAction(m_undo);
    edit->addAction(m_redo);
    connect(m_edits, &RecordEdits::recordChanged, this, &CalcWindow::recordChanged);
    QMenu* aux = menu->addMenu(QStringLiteral("辅助功能"));
    auto add = [&](const char* text, void (CalcWindow::*slot)()) {
        QAction* a = aux->addAction(QString::fromUtf8(text));
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    add("读入数据文件", &CalcWindow::OnReadDataFile);
    add("数据存盘到文件", &CalcWindow::OnWriteDataFile);
    aux->addSeparator();
    add("查看计算图形结果", &CalcWindow::OnShowDrawings);
    add("查看计算报表结果", &CalcWindow::OnShowReport);
    add("计算", &CalcWindow::OnCalculate);
    aux->addSeparator();
    add("将此例题加入模板库", &CalcWindow::OnStoreTemplate)->setEnabled(m_links.templates);
    add("读入DXF文件自动形成滑面、坡面和水面数据...", &CalcWindow::OnImportDxf);
    add("配筋参数...", &CalcWindow::OnRebarSettings);
    aux->addSeparator();
    add("返回", &CalcWindow::OnReturn);
}

QWidget* CalcWindow::buildLeft() {
    auto* left = new QWidget(this);
    auto* column = new QVBoxLayout(left);
    column->setContentsMargins(0, 0, 0, 0);
    m_sketch->setAccessibleName(QStringLiteral("计算简图"));
    m_sketch->setMinimumSize(384, 300);
    m_picture->setAccessibleName(QStringLiteral("说明图"));
    m_picture->setMinimumSize(384, 192);
    m_picture->setFixedHeight(200);
    column->addWidget(m_sketch, 1);
    column->addWidget(m_picture);
    return left;
}

QLayout* CalcWindow::buildBottom() {
    auto* bottom = new QHBoxLayout;
    auto* label = new QLabel(QStringLiteral("说明"), this);
    label->setBuddy(m_description);
    m_description->setAccessibleName(QStringLiteral("说明"));
    m_description->setText(QString::fromStdString(m_record.name()));
    // Enter belongs to the tables: neither button is the default.
    m_calculate->setAutoDefault(false);
    m_return->setAutoDefault(false);
    bottom->addWidget(label);
    bottom->addWidget(m_description, 1);
    bottom->addWidget(m_calculate);
    bottom->addWidget(m_return);
    return bottom;
}

void CalcWindow::buildPages() {
    auto run = [this](CTablePage& page, TableEdit edit) {
        return applyEdit(page, std::move(edit));
    };
    for (int tab = 0; tab < kInputPageCount; ++tab) {
        const TablePageInfo& info = tablePages().at(tab);
        auto* page = new TablePageWidget(info.id, m_record, run, m_tabs, m_flags.get());
        page->setHintsShown(m_ctx.G_Disp_TableTip != 0);
        if (info.id == TablePageId::Pile) {
            auto* kinds = new QPushButton(QStringLiteral("桩身参数"), page);
            connect(kinds, &QPushButton::clicked, this, &CalcWindow::OnPileKinds);
            page->body()->addWidget(kinds, 0, Qt::AlignLeft);
        }
        page->body()->addStretch(0);
        m_tabs->addTab(page, QString::fromUtf8(info.title));
        m_pages.push_back(page);
    }
}

TableGrid* CalcWindow::grid(TableId id) const {
    for (TablePageWidget* p : m_pages)
        if (TableGrid* g = p->grid(id)) return g;
    return nullptr;
}

QAction* CalcWindow::action(const QString& text) const {
    for (QAction* menu : m_menu->actions())
        for (QAction* a : menu->menu()->actions())
            if (a->text() == text) return a;
    return nullptr;
}

bool CalcWindow::calculating() const {
    return m_runner->running();
}

EditOutcome CalcWindow::applyEdit(CTablePage& page, TableEdit edit) {
    if (calculating()) return EditOutcome::Refused;
    return m_edits->editTable(page, std::move(edit));
}

void CalcWindow::recordChanged(RecordPart part) {
    if (part == RecordPart::Whole) m_description->setText(QString::fromStdString(m_record.name()));
    refreshPages();
}

void CalcWindow::rebuildSketch() {
    m_sketch->replaceDrawing(MakeSketchDrawing(m_record));
}

void CalcWindow::refreshPages() {
    for (TablePageWidget* p : m_pages) p->refresh();
    rebuildSketch();
}

void CalcWindow::OnTabChanged(int tab) {
    if (tab < 0) return;
    m_pages.at(tab)->refresh();
    rebuildSketch();
    m_picture->setDrawing(pagePicture(tab));
}

void CalcWindow::takeDescription() {
    m_record.setName(m_description->text().toStdString());
}

void CalcWindow::message(const std::string& text) {
    if (m_ctx.messages)
        m_ctx.messages->message(text);
    else
        QMessageBox::information(this, windowTitle(), QString::fromStdString(text));
}

void CalcWindow::setBusy(bool busy) {
    for (QWidget* w : std::initializer_list<QWidget*>{m_tabs, m_description, m_calculate, m_return})
        w->setEnabled(!busy);
    m_menu->setEnabled(!busy);
    m_edits->setBlocked(busy);
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_status->showMessage(QStringLiteral("正在计算..."));
    } else {
        QApplication::restoreOverrideCursor();
    }
}

QStringList CalcWindow::inputWarnings() const {
    QStringList out;
    for (const CellFlag& f : m_flags->current(m_record))
        out << QString::fromStdString(f.where + ": " + f.message);
    for (const RangeFinding& f : CheckInputRanges(m_record))
        out << QString::fromStdString(f.message);
    return out;
}

// Asked once for all of them: the engineer may know better (a trial with a
// deliberately odd value), but must have seen the list.
bool CalcWindow::confirmDespiteWarnings() {
    const QStringList warnings = inputWarnings();
    if (warnings.isEmpty()) return true;
    constexpr int kListed = 15;
    QStringList lines = warnings.mid(0, kListed);
    if (warnings.size() > kListed)
        lines << QStringLiteral("…另有 %1 处").arg(warnings.size() - kListed);
    const QString text = QStringLiteral("输入中有 %1 处需要检查:\n").arg(warnings.size()) +
                         lines.join('\n') + QStringLiteral("\n\n仍然计算吗?");
    if (m_ctx.messages) return m_ctx.messages->question(text.toStdString(), false);
    return QMessageBox::question(this, windowTitle(), text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

void CalcWindow::OnCalculate() {
    if (calculating()) return;
    if (!confirmDespiteWarnings()) {
        m_status->showMessage(QStringLiteral("未计算: 请先检查标出的输入"));
        return;
    }
    takeDescription();
    setBusy(true);
    CalcRunResult run = m_runner->run(m_record, m_ctx, m_links.fileBase);
    setBusy(false);
    m_status->showMessage(run.result == 1 ? QStringLiteral("计算成功 !")
                                          : QStringLiteral("计算失败 !"));
    if (run.reportSaved && m_links.showReport) m_links.showReport(run.reportPath);
    if (run.result != 1) return;  // the input stays for correction
    m_exit = CalcWindowExit::Calculated;
    accept();
}

void CalcWindow::OnReturn() {
    m_exit = CalcWindowExit::Returned;
    accept();
}

std::string CalcWindow::chooseFile(const QString& title, bool save) {
    QString filter = title.contains("DXF") ? kDxfFilter : kDataFilter;
    if (m_links.chooseFile) return m_links.chooseFile(title, filter, save);
    QString dir = QString::fromStdString(m_ctx.G_strWorkPath);
    QString path = save ? QFileDialog::getSaveFileName(this, title, dir, filter)
                        : QFileDialog::getOpenFileName(this, title, dir, filter);
    if (save && !path.isEmpty() && QFileInfo(path).suffix().isEmpty()) path += ".TV";
    return path.toStdString();
}

void CalcWindow::OnReadDataFile() {
    std::string path = chooseFile(QStringLiteral("读入数据文件"), false);
    if (path.empty()) return;
    // Read into a copy: a file that cannot be read leaves the input as it is.
    CSlideCalcData read;
    if (!OpenItemFile(path, read, m_ctx.status).read) return message(UnreadableItemText(path));
    takeDescription();  // so that undoing the read brings back what was typed
    m_edits->changeRecord(
        QStringLiteral("读入数据文件"), RecordPart::Whole, [&](CSlideCalcData& r) {
            r = read;
            SetResultFileNames(r, m_links.fileBase);  // the item keeps its own results
        });
}

void CalcWindow::OnWriteDataFile() {
    std::string path = chooseFile(QStringLiteral("数据存盘到文件"), true);
    if (path.empty()) return;
    takeDescription();
    if (!m_record.WriteDataFile(path))
        message("无法写入计算数据文件 " + path);
    else
        CopyRebarSettings(workFile(m_ctx, m_links.fileBase + ".DAT"), path);
    SetResultFileNames(m_record, m_links.fileBase);
}

void CalcWindow::OnShowDrawings() {
    m_exit = CalcWindowExit::ShowDrawings;
    accept();
}

void CalcWindow::OnShowReport() {
    if (m_links.showReport && m_record.resultCount() > 0)
        m_links.showReport(m_ctx.G_strWorkPath + m_record.GetRtfFileName(kResultSketch));
}

void CalcWindow::OnStoreTemplate() {
    if (!m_links.templates) return;
    takeDescription();
    StoreTemplate(m_links.kind, m_record, *m_links.templates, m_ctx);
}

void CalcWindow::OnRebarSettings() {
    const std::string path = RebarSettingsPathOf(workFile(m_ctx, m_links.fileBase + ".DAT"));
    InputDiagnostics diagnostics;
    const RebarSettings current = ReadRebarSettings(path, diagnostics);
    if (m_ctx.status) diagnostics.tellTo(*m_ctx.status);
    const std::optional<RebarSettings> chosen = m_links.editRebarSettings
                                                    ? m_links.editRebarSettings(current, path)
                                                    : EditRebarSettings(current, path, this);
    if (!chosen) return;
    std::error_code ec;
    if (!m_edits->changeRebarSettings(path, *chosen) && !std::filesystem::exists(path, ec))
        message("无法写入配筋参数文件 " + path);
}

void CalcWindow::OnImportDxf() {
    MessageSink* messages = m_ctx.messages;
    if (messages && !messages->question(DxfImportInstructions(), true)) return;
    std::string path = chooseFile(QStringLiteral("读入DXF文件"), false);
    if (path.empty()) return;
    float factor = 1.0f;
    if (!askDrawingUnit(this, &factor)) return;
    DxfSectionScan scan = ScanSectionLines(m_record, path, factor);
    if (!scan.readable) return message(DxfUnreadableMessage(scan));
    // The user sees the lines found over the sketch before the record changes.
    DxfPreviewDialog preview(m_record, scan, this);
    if (preview.exec() != QDialog::Accepted || !scan.anyLine()) return;
    m_edits->changeRecord(QStringLiteral("读入DXF文件"), RecordPart::Input,
                          [&](CSlideCalcData& r) { TakeSectionLines(r, scan); });
}

void CalcWindow::OnPileKinds() {
    if (!m_record.usePiles) return message("不采用桩 !");
    auto run = [this](CTablePage& page, TableEdit edit) {
        return applyEdit(page, std::move(edit));
    };
    auto takeOver = [this](const CPileLibrary& library, bool asCandidates) {
        m_edits->changeRecord(
            QStringLiteral("从库中选择桩型"), RecordPart::Input,
            [&](CSlideCalcData& r) { TakeOverPileKinds(r, library, asCandidates); });
    };
    PileKindsDialog list(m_record, m_ctx, run, takeOver, this, m_flags.get());
    list.addActions({m_undo, m_redo});
    connect(m_edits, &RecordEdits::recordChanged, &list, [&list] { list.page()->refresh(); });
    list.exec();
}

void CalcWindow::closeEvent(QCloseEvent* event) {
    if (calculating()) return event->ignore();
    QDialog::closeEvent(event);
}

void CalcWindow::done(int result) {
    // Whatever closes the window, the description typed is kept; not while
    // a calculation runs, whose record must stay as it started.
    if (calculating()) return;
    takeDescription();
    QDialog::done(result);
}

CalcWindowExit RunCalcWindow(CalcWindowLinks links, const ItemContext& item, QWidget* parent) {
    CSlideCalcData& record = *links.record;
    const WorkContext& ctx = *links.ctx;
    record.setName(item.caption);
    SetResultFileNames(record, item.fileBase);
    const std::string dataFile = workFile(ctx, item.fileBase + ".dat");
    if (!item.newItem) {
        // A file that cannot be read leaves the record as it was; the write
        // at the end keeps the unreadable file beside the new one.
        CSlideCalcData read = record;
        if (OpenItemFile(dataFile, read, ctx.status, ctx.messages).read) record = read;
    }
    links.fileBase = item.fileBase;

    CalcWindow window(std::move(links), parent);
    window.exec();

    SetResultFileNames(record, item.fileBase);
    if (!record.WriteDataFile(dataFile) && ctx.messages)
        ctx.messages->message("无法写入计算数据文件 " + dataFile + "，原有文件保持不变。");
    return window.exitReason();
}
