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
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTreeView>

namespace {

bool operated(QAccessible::Role role) {
    switch (role) {
        case QAccessible::PushButton:
        case QAccessible::ComboBox:
        case QAccessible::EditableText:
        case QAccessible::List:
        case QAccessible::CheckBox:
        case QAccessible::RadioButton:
        case QAccessible::MenuItem:
        case QAccessible::PageTab:
        case QAccessible::Table:
            return true;
        default:
            return false;
    }
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
    void everyControlHasItsVisibleTextAsName();
    void namedWidgetsKeepTheirNamesWhateverIsSelected();
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

void AccessibilityTest::everyControlHasItsVisibleTextAsName() {
    ShellPlace place;
    auto frame = startFrame(place.options(true));
    QStringList unnamed = unnamedIn(frame.get());
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join("; ")));
    QStringList buttons = namesIn(frame.get(), QAccessible::PushButton);
    for (QString b : {"增", "删", "算", "放大", "缩小", "全图显示", "打开工程", "退出"})
        QVERIFY2(buttons.contains(b), qPrintable(b + " not in " + buttons.join(",")));
    QStringList combos = namesIn(frame.get(), QAccessible::ComboBox);
    QVERIFY(combos.contains("计算项目") && combos.contains("计算结果"));
    for (QMenu* menu : frame->menuBar()->findChildren<QMenu*>()) {
        for (QAction* a : menu->actions())
            QVERIFY2(a->isSeparator() || !a->text().isEmpty(), qPrintable(menu->title()));
    }

    ProjectInfoDialog info(place.projectDir, CProjectInfo{}, *frame->session().ctx.messages);
    info.show();
    QVERIFY2(unnamedIn(&info).isEmpty(), qPrintable(unnamedIn(&info).join("; ")));
    QStringList fields = namesIn(&info, QAccessible::EditableText);
    for (QString f : {"工作路径", "工程名称", "工程编号", "设计时间"}) QVERIFY(fields.contains(f));

    CTemplateIndex index;
    TemplateChooser chooser(index, frame->session().ctx, 0);
    TemplateChooserDialog templates(chooser, CSlideCalcData{}, frame->session().ctx);
    templates.show();
    QVERIFY2(unnamedIn(&templates).isEmpty(), qPrintable(unnamedIn(&templates).join("; ")));
    QVERIFY(namesIn(&templates, QAccessible::PushButton).contains("确   认"));

    AboutBox about;
    about.show();
    QVERIFY2(unnamedIn(&about).isEmpty(), qPrintable(unnamedIn(&about).join("; ")));
}

void AccessibilityTest::namedWidgetsKeepTheirNamesWhateverIsSelected() {
    ShellPlace place;
    auto frame = startFrame(place.options(true));
    g_warnings.clear();
    QtMessageHandler previous = qInstallMessageHandler(collectWarning);
    expectNamesKept(frame.get());
    QStringList combos = namesIn(frame.get(), QAccessible::ComboBox);
    QVERIFY(combos.contains("计算项目") && combos.contains("计算结果"));
    ProjectInfoDialog info(place.projectDir, CProjectInfo{}, *frame->session().ctx.messages);
    // A screen reader asks for the rows of the directory tree as soon as its
    // model announces them, while the tree fills in the background.
    auto* tree = info.findChild<QTreeView*>();
    QVERIFY(tree);
    int rowsRead = 0;
    connect(tree->model(), &QAbstractItemModel::rowsInserted, this, [&] {
        QAccessibleInterface* read = QAccessible::queryAccessibleInterface(tree);
        for (int i = 0; i < read->childCount(); ++i, ++rowsRead) read->child(i);
    });
    info.show();
    QTRY_VERIFY_WITH_TIMEOUT(rowsRead > 0, 300000);  // a hang guard, not a time limit
    QTest::qWait(100);
    expectNamesKept(&info);
    unnamedIn(&info);  // reads every row of the directory tree
    unnamedIn(frame.get());
    qInstallMessageHandler(previous);
    QVERIFY2(g_warnings.filter("QAccessible").isEmpty(), qPrintable(g_warnings.join("; ")));
}

QTEST_MAIN(AccessibilityTest)
#include "AccessibilityTest.moc"
