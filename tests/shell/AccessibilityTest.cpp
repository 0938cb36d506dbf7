// Every control a user operates carries a name that screen readers and
// UI-automation tools find it by: the main window with a project, the
// project dialog, the template chooser and the about box, read through
// Qt's accessibility interface.
#include "support/ShellTestSupport.h"

#include "shell/AboutBox.h"
#include "shell/CSplitterFrame.h"
#include "shell/ProjectInfoDialog.h"
#include "shell/TemplateChooserDialog.h"

#include "data/CSlideCalcData.h"
#include "project/CTemplateIndex.h"

#include <QAccessible>
#include <QAccessibleTableInterface>
#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

namespace {

bool operated(QAccessible::Role role) {
    using A = QAccessible;
    return QList<A::Role>{A::PushButton,  A::ComboBox, A::EditableText, A::List, A::CheckBox,
                          A::RadioButton, A::MenuItem, A::PageTab,      A::Table}
        .contains(role);
}

// The visible controls below iface without a name, as "role at path".
void collectUnnamed(QAccessibleInterface* iface, const QString& path, QStringList& unnamed) {
    if (!iface || iface->state().invisible) return;
    if (operated(iface->role()) && iface->text(QAccessible::Name).trimmed().isEmpty())
        unnamed << QString("role %1 at %2").arg(iface->role()).arg(path);
    for (int i = 0; i < iface->childCount(); ++i)
        collectUnnamed(iface->child(i), path + "/" + QString::number(i), unnamed);
}

QStringList unnamedIn(QWidget* window) {
    QStringList unnamed;
    collectUnnamed(QAccessible::queryAccessibleInterface(window), window->windowTitle(), unnamed);
    return unnamed;
}

QStringList namesIn(QWidget* window, QAccessible::Role role) {
    QStringList names;
    std::function<void(QAccessibleInterface*)> walk = [&](QAccessibleInterface* iface) {
        if (!iface || iface->state().invisible) return;
        if (iface->role() == role) names << iface->text(QAccessible::Name);
        for (int i = 0; i < iface->childCount(); ++i) walk(iface->child(i));
    };
    walk(QAccessible::queryAccessibleInterface(window));
    return names;
}

}  // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT
  private slots:
    void everyControlIsNamedAndNamedWidgetsKeepTheirNames();
    void theDirectoryListAnnouncesOnlyRowsItShows();
};

// Qt's accessibility prints what goes wrong in a view's model instead of
// failing; those warnings are collected while a window is read.
QStringList g_warnings;
void collectWarning(QtMsgType, const QMessageLogContext&, const QString& text) {
    g_warnings << text;
}

// Every widget given a name answers with it, whatever entry a combo box shows.
void expectNamesKept(QWidget* window) {
    for (auto* combo : window->findChildren<QComboBox*>()) {
        if (combo->count() == 0) combo->addItems({"甲", "乙"});
        combo->setCurrentIndex(combo->count() - 1);
    }
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w->accessibleName().isEmpty()) continue;
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w);
        QVERIFY(iface);
        QCOMPARE(iface->text(QAccessible::Name), w->accessibleName());
    }
}

// The main window with a project, the project dialog, the template chooser
// and the about box, read as shown and after every combo box was set to its
// last entry.
void AccessibilityTest::everyControlIsNamedAndNamedWidgetsKeepTheirNames() {
    ShellPlace place;
    auto frame = startFrame(place.options(true));
    ProjectInfoDialog info(place.projectDir, CProjectInfo{}, *frame->session().ctx.messages);
    CTemplateIndex index;
    TemplateChooser chooser(index, frame->session().ctx, 0);
    TemplateChooserDialog templates(chooser, CSlideCalcData{}, frame->session().ctx);
    AboutBox about;
    g_warnings.clear();
    QtMessageHandler previous = qInstallMessageHandler(collectWarning);
    for (QWidget* window :
         std::initializer_list<QWidget*>{frame.get(), &info, &templates, &about}) {
        window->show();
        for (int pass = 0; pass < 2; ++pass) {  // as shown, then with other entries
            QStringList unnamed = unnamedIn(window);
            QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join("; ")));
            expectNamesKept(window);
        }
    }
    qInstallMessageHandler(previous);
    QVERIFY2(g_warnings.filter("QAccessible").isEmpty(), qPrintable(g_warnings.join("; ")));
    QStringList buttons = namesIn(frame.get(), QAccessible::PushButton);
    for (QString b : {"增", "删", "算", "放大", "缩小", "全图显示", "打开工程", "退出"})
        QVERIFY2(buttons.contains(b), qPrintable(b + " not in " + buttons.join(",")));
    QStringList combos = namesIn(frame.get(), QAccessible::ComboBox);
    QVERIFY(combos.contains("计算项目") && combos.contains("计算结果"));
    for (QMenu* menu : frame->menuBar()->findChildren<QMenu*>())
        for (QAction* a : menu->actions())
            QVERIFY2(a->isSeparator() || !a->text().isEmpty(), qPrintable(menu->title()));
    QStringList fields = namesIn(&info, QAccessible::EditableText);
    for (QString f : {"工作路径", "工程名称", "工程编号", "设计时间"}) QVERIFY(fields.contains(f));
    QVERIFY(namesIn(&templates, QAccessible::PushButton).contains("确   认"));
}

// Qt's item views tell a screen reader of each row their model inserts as a
// row of the view, whatever its parent; the reader then asks the view for
// it. Every row the directory list's model announces must therefore be a row
// the list shows, while the user goes down into a directory with Enter and up
// again with a double click, and types a path.
void AccessibilityTest::theDirectoryListAnnouncesOnlyRowsItShows() {
    ShellPlace place;
    const QString root = QDir(place.root.path()).absolutePath();
    for (const char* dir : {"alpha", "beta/gamma"}) QVERIFY(QDir(root).mkpath(dir));
    CProjectInfo second;
    second.name = "乙工程";
    QVERIFY(second.WriteInfoFile((root + "/beta").toStdString()));
    ShellSinks sinks;
    ProjectInfoDialog info(root, CProjectInfo{}, sinks);
    auto* list = info.findChild<QAbstractItemView*>();
    QVERIFY(list && list->accessibleName() == "目录");
    info.show();
    QVERIFY(QTest::qWaitForWindowExposed(&info));
    QAccessibleTableInterface* cells =
        QAccessible::queryAccessibleInterface(list)->tableInterface();
    // What Qt's accessibility does when a screen reader is active, which the
    // offscreen platform never is: each change is told to the list's table
    // interface, and the reader reads the rows announced.
    QStringList announced;
    auto announce = [&](QAccessibleTableModelChangeEvent::ModelChangeType type,
                        const QModelIndex& parent, int first, int last) {
        if (parent != list->rootIndex()) announced << "a row of another parent";
        QAccessibleTableModelChangeEvent event(list, type);
        event.setFirstRow(first);
        event.setLastRow(last);
        cells->modelChange(&event);
        for (int row = first; row <= last; ++row) {
            QAccessibleInterface* cell = cells->cellAt(row, 0);
            if (!cell || cell->text(QAccessible::Name) !=
                             list->model()->index(row, 0).data(Qt::AccessibleTextRole))
                announced << QString("row %1 of %2").arg(row).arg(cells->rowCount());
        }
    };
    QAbstractItemModel* model = list->model();
    connect(model, &QAbstractItemModel::modelReset, this,
            [&] { announce(QAccessibleTableModelChangeEvent::ModelReset, {}, -1, -2); });
    connect(model, &QAbstractItemModel::rowsInserted, this, [&](auto parent, int a, int b) {
        announce(QAccessibleTableModelChangeEvent::RowsInserted, parent, a, b);
    });
    g_warnings.clear();
    QtMessageHandler previous = qInstallMessageHandler(collectWarning);
    auto rowNamed = [&](const QString& name) {
        for (int row = 0; row < cells->rowCount(); ++row)
            if (cells->cellAt(row, 0)->text(QAccessible::Name) == name) return row;
        return -1;
    };
    auto field = [&](int i) { return info.findChildren<QLineEdit*>().at(i)->text(); };

    QCOMPARE(list->currentIndex().row(), rowNamed(QDir(root).dirName()));
    QVERIFY(rowNamed("alpha") > list->currentIndex().row() && rowNamed("gamma") < 0);
    while (list->currentIndex().row() < rowNamed("beta")) QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
    QVERIFY2(info.isVisible(), "Enter in the list went on to 确  认");
    QCOMPARE(field(0), root + "/beta");
    QCOMPARE(field(1), QString("乙工程"));
    QVERIFY(rowNamed("gamma") > rowNamed("beta") && rowNamed("alpha") < 0);

    QRect up = list->visualRect(list->model()->index(rowNamed(QDir(root).dirName()), 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, up.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, up.center());
    QCOMPARE(field(0), root);
    QCOMPARE(field(1), QString("****工程Talvor设计计算"));

    // A typed directory brings its fields; a path still being typed shows its
    // nearest existing directory and leaves them.
    info.pathLine()->clear();
    QTest::keyClicks(info.pathLine(), root + "/beta");
    QCOMPARE(field(1), QString("乙工程"));
    QTest::keyClicks(info.pathLine(), "/new");
    QCOMPARE(list->currentIndex().data(Qt::AccessibleTextRole).toString(), QString("beta"));
    QCOMPARE(field(1), QString("乙工程"));
    qInstallMessageHandler(previous);
    QVERIFY2(announced.isEmpty(), qPrintable(announced.join("; ")));
    QVERIFY2(g_warnings.filter("QAccessible").isEmpty(), qPrintable(g_warnings.join("; ")));
}

QTEST_MAIN(AccessibilityTest)
#include "AccessibilityTest.moc"
