// talvor-guide-pictures PROGRAM_DIR DRAWING_DIR OUT_DIR: the pictures of the
// user guide, taken from the desktop program as it is. Each window is set up
// as the guide describes it and grabbed into OUT_DIR as <name>.png; the guide
// of the build tree shows that directory as its images/. PROGRAM_DIR is the
// shipped program directory (copied, so the templates and settings the
// windows write stay in a scratch folder); DRAWING_DIR holds the section
// drawing the DXF preview reads. Runs without a display on the offscreen
// platform. Exit status 1 when a picture could not be saved.
#include "shell/CBbView.h"
#include "shell/CCxView.h"
#include "shell/CMainFrame.h"
#include "shell/CPileLibraryDlg.h"
#include "shell/CSplitterFrame.h"
#include "shell/CalcWindow.h"
#include "shell/Commands.h"
#include "shell/DrawingPane.h"
#include "shell/ProjectInfoDialog.h"
#include "shell/TableGrid.h"
#include "shell/TableModel.h"
#include "shell/TablePageWidget.h"
#include "shell/TalvorApp.h"
#include "shell/TemplateChooserDialog.h"

#include "render/ReportPages.h"

#include "data/CSlideCalcData.h"
#include "diagrams/SketchElements.h"
#include "platform/Sinks.h"
#include "platform/WorkContext.h"
#include "project/CPileLibrary.h"
#include "project/CTemplateIndex.h"
#include "run/CalcRun.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QDirIterator>
#include <QListWidget>
#include <QPointer>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>

namespace {

QString g_out;
int g_failed = 0;

void shoot(QWidget* widget, const QString& name) {
    QTest::qWait(50);  // the last repaint
    if (!widget->grab().save(g_out + "/" + name + ".png")) {
        std::fprintf(stderr, "could not save %s.png\n", qPrintable(name));
        ++g_failed;
    }
}

void copyTree(const QString& from, const QString& to) {
    QDir().mkpath(to);
    QDirIterator it(from, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next(), target = to + path.mid(from.size());
        it.fileInfo().isDir() ? QDir().mkpath(target) : QFile::copy(path, target);
    }
}

// Calls act with the next modal window to open, from inside its event loop.
void whenModal(std::function<void(QWidget*)> act) {
    QPointer<QWidget> before = QApplication::activeModalWidget();
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, [timer, before, act] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == before) return;
        timer->deleteLater();
        timer->stop();
        act(modal);
    });
    timer->start(10);
}

void click(QWidget* window, const QString& text) {
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>())
        if (b->text().remove('&') == text) return QTest::mouseClick(b, Qt::LeftButton);
}

// The project dialog, the template chooser, the main window after the first
// item was added from the worked example and calculated, and its sketch zoomed.
void projectWindows(const QString& programDir, const QString& root) {
    StartOptions options;
    options.programDir = programDir;
    options.settingsFile = root + "/settings.ini";
    options.workPath = root + "/project";
    CMainFrame frame(options);
    frame.resize(1280, 860);
    frame.show();
    frame.startProject();
    WorkContext& ctx = frame.session().ctx;

    CProjectInfo info = CProjectInfo::Defaults(options.workPath.toStdString() + "/", 0);
    info.name = "某高速公路K12+300滑坡抢险工程";
    info.designTime = "2024年5月18日 09:30:00";
    ProjectInfoDialog dialog(options.workPath, info, *ctx.messages);
    dialog.show();
    QTest::qWait(300);
    shoot(&dialog, "project-dialog");
    dialog.close();

    CTemplateIndex index;
    index.LoadTemplateIndex(ctx);
    TemplateChooser chooser(index, ctx, 0);
    TemplateChooserDialog templates(chooser, CSlideCalcData{}, ctx);
    templates.findChild<QListWidget*>()->setCurrentRow(2);
    templates.show();
    shoot(&templates, "template-chooser");
    templates.close();

    CSplitterFrame* window = frame.activeProjectWindow();
    whenModal([](QWidget* chooserWindow) {
        chooserWindow->findChild<QListWidget*>()->setCurrentRow(0);
        whenModal([](QWidget* calcWindow) { click(calcWindow, "计算"); });
        click(chooserWindow, "确   认");
    });
    QTest::mouseClick(window->addButton(), Qt::LeftButton);
    shoot(&frame, "main-window");
    window->resultCombo()->setCurrentIndex(0);
    emit window->resultCombo()->activated(0);
    frame.action(cmd::ZoomIn)->trigger();
    frame.action(cmd::ZoomIn)->trigger();
    shoot(&frame, "drawing-zoomed");
}

// Makes the first editable cell with a hint current, so that the hint shows.
void showFirstHint(TablePageWidget* page) {
    for (TableGrid* g : page->grids())
        for (int r = 0; r < g->model()->rowCount(); ++r)
            for (int c = 0; c < g->model()->columnCount(); ++c) {
                const QModelIndex i = g->model()->index(r, c);
                if ((g->model()->flags(i) & Qt::ItemIsEditable) &&
                    !i.data(TableModel::kHintRole).toString().isEmpty()) {
                    QApplication::setActiveWindow(g->window());
                    g->setFocus();
                    g->setCurrentIndex(i);
                    return;
                }
            }
}

// The six pages of the calculation window, the sketch answering a click on a
// slope segment, and the preview of a section drawing read from DXF.
void calculationWindow(WorkContext& ctx, const QString& drawingDir) {
    CSlideCalcData record;
    record.setName("默认例题");
    CalcWindowLinks links;
    links.record = &record;
    links.ctx = &ctx;
    links.fileBase = "&TLVR_0001";
    {
        CalcWindow w(links);
        w.resize(1100, 760);
        w.show();
        for (int tab = 0; tab < 6; ++tab) {
            w.tabs()->setCurrentIndex(tab);
            showFirstHint(w.page(tab));
            shoot(&w, QString("calc-window-%1").arg(tab));
        }
    }

    record.slope[1].loadCount = 2;
    {
        CalcWindow w(links);
        w.show();
        w.tabs()->setCurrentIndex(1);
        CCxView* sketch = w.sketch();
        for (const SketchElement& e : SketchElements(record))
            if (e.kind == SketchElementKind::SlopeSegment && e.index == 4) {
                const CFPoint a = e.points.front(), b = e.points.back();
                const QPoint at =
                    sketch->viewTransform().toDevice((a.x + b.x) / 2, (a.y + b.y) / 2).toPoint();
                QTest::mouseClick(sketch, Qt::LeftButton, {}, at);
            }
        shoot(&w, "sketch-link");
    }

    links.chooseFile = [&](const QString&, const QString&, bool) {
        return (drawingDir + "/section_m.dxf").toStdString();
    };
    CalcWindow w(links);
    w.show();
    whenModal([](QWidget* units) {
        auto* combo = units->findChild<QComboBox*>();
        combo->setCurrentIndex(combo->findText("m"));
        whenModal([](QWidget* preview) {
            shoot(preview, "dxf-preview");
            qobject_cast<QDialog*>(preview)->reject();  // the section stays as it was
        });
        qobject_cast<QDialog*>(units)->accept();
    });
    w.action("读入DXF文件自动形成滑面、坡面和水面数据...")->trigger();
}

// The shipped pile library with three rows picked.
void pileLibrary(const WorkContext& ctx) {
    CPileLibrary library;
    library.LoadPileLibrary(ctx);
    CPileLibraryDlg dialog(&library, ctx);
    dialog.show();
    QTableWidget* list = dialog.list();
    bool first = true;
    for (int row : {0, 2, 5}) {
        const QRect r = list->visualItemRect(list->item(row, 1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton,
                          first ? Qt::NoModifier : Qt::ControlModifier, r.center());
        first = false;
    }
    shoot(&dialog, "pile-library");
}

// The report of the worked example in the report view, and its print preview.
void reportView(WorkContext& ctx) {
    CSlideCalcData item;
    item.setName("K12+300 左侧滑坡");
    CalcRunResult run = RunCalculation(item, ctx, "&TLVR_0002");
    ReportViewLinks links;
    links.workPath = [&] { return ctx.G_strWorkPath; };
    links.projectName = [] { return std::string("某某公路滑坡抢修工程"); };
    CBbView view(links);
    view.resize(900, 700);
    view.show();
    view.LoadReport(QString::fromStdString(run.reportPath));
    view.ExpandScript();
    shoot(&view, "report-view");

    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    QPrintPreviewWidget preview(&printer);
    QObject::connect(&preview, &QPrintPreviewWidget::paintRequested,
                     [&](QPrinter* p) { printReport(*view.document(), *p, view.heading(), true); });
    preview.resize(700, 900);
    preview.show();
    preview.updatePreview();
    preview.fitInView();
    shoot(&preview, "report-print-preview");
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s PROGRAM_DIR DRAWING_DIR OUT_DIR\n", argv[0]);
        return 2;
    }
    installQtChinese(app);
    // Only a guard against a window that never opens: a loaded machine takes
    // a minute or two for everything.
    QTimer::singleShot(30 * 60 * 1000, [] {
        std::fprintf(stderr, "the pictures were not all taken within 30 minutes\n");
        std::_Exit(1);
    });
    g_out = QString::fromLocal8Bit(argv[3]);
    QDir().mkpath(g_out);
    QTemporaryDir root;
    const QString programDir = root.path() + "/program/";
    copyTree(QString::fromLocal8Bit(argv[1]), programDir);

    NullSinks sinks;
    WorkContext ctx;
    ctx.G_strExePath = programDir.toStdString();
    ctx.G_strWorkPath = withTrailingSlash(root.path().toStdString());
    ctx.status = &sinks;
    ctx.messages = &sinks;
    projectWindows(programDir, root.path());
    calculationWindow(ctx, QString::fromLocal8Bit(argv[2]));
    pileLibrary(ctx);
    reportView(ctx);
    return g_failed ? 1 : 0;
}
