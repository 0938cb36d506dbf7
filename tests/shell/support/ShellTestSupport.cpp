// Program and project directories in a temporary place, and modal dialogs.
#include "support/ShellTestSupport.h"
#include "support/TestSupport.h"

#include "shell/TableGrid.h"

#include "run/ResultNames.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QApplication>
#include <QDir>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <memory>

ShellPlace::ShellPlace() {
    programDir = root.path() + "/program/";
    std::filesystem::copy(TALVOR_PROGRAM_DIR, programDir.toStdString(),
                          std::filesystem::copy_options::recursive);
    projectDir = root.path() + "/project";
    settingsFile = root.path() + "/settings.ini";
}

StartOptions ShellPlace::options(bool withProject) const {
    StartOptions o;
    o.programDir = programDir;
    o.settingsFile = settingsFile;
    if (withProject) o.workPath = projectDir;
    return o;
}

void CalcWindowPlace::reset() {
    sinks.lines.clear();
    sinks.asked.clear();
    sinks.answer = true;
    ctx = WorkContext{};
    ctx.G_strExePath = place.programDir.toStdString();
    ctx.G_strWorkPath = withTrailingSlash(place.root.path().toStdString());
    ctx.status = &sinks;
    ctx.messages = &sinks;
    record = CSlideCalcData{};
    SetResultFileNames(record, "&TLVR_0001");
    chosenFile.clear();
    rebar.reset();
}

CalcWindowLinks CalcWindowPlace::links(const std::string& fileBase) {
    CalcWindowLinks l;
    l.record = &record;
    l.ctx = &ctx;
    l.fileBase = fileBase;
    l.chooseFile = [this](const QString&, const QString&, bool) {
        return chosenFile.toStdString();
    };
    l.editRebarSettings = [this](const RebarSettings&, const std::string&) { return rebar; };
    return l;
}

std::unique_ptr<CMainFrame> startFrame(const StartOptions& options) {
    auto frame = std::make_unique<CMainFrame>(options);
    frame->resize(1280, 860);
    frame->show();
    frame->startProject();
    return frame;
}

void whenModal(std::function<void(QWidget*)> act) {
    QPointer<QWidget> before = QApplication::activeModalWidget();
    auto* timer = new QTimer(qApp);
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, before, act, tries] {
        QWidget* modal = QApplication::activeModalWidget();
        // Ticks, not seconds: a loaded machine only makes them later.
        if (++*tries > 30000) {
            timer->deleteLater();
            qWarning("no modal window opened");
            return;
        }
        if (!modal || modal == before) return;
        timer->stop();
        timer->deleteLater();
        act(modal);
    });
    timer->start(10);
}

QAbstractButton* buttonNamed(QWidget* window, const QString& text) {
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>())
        if (b->text().remove('&') == text) return b;
    return nullptr;
}

void click(QWidget* window, const QString& buttonText) {
    QAbstractButton* b = buttonNamed(window, buttonText);
    if (!b) {
        qWarning("no button %s", qPrintable(buttonText));
        return;
    }
    QTest::mouseClick(b, Qt::LeftButton);
}

void answerMessage(QMessageBox::StandardButton button, QString* text) {
    whenModal([button, text](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        if (!box) {
            qWarning("expected a message box, found %s", w->metaObject()->className());
            return;
        }
        if (text) *text = box->text();
        QTest::mouseClick(box->button(button), Qt::LeftButton);
    });
}

QByteArray fileBytes(const QString& path) {
    return QByteArray::fromStdString(readBytes(path.toStdString()));
}

void focusOnCell(TableGrid* grid, int row, int col) {
    QApplication::setActiveWindow(grid->window());
    QVERIFY(QTest::qWaitForWindowActive(grid->window()));
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(row - 1, col - 1));
}

void typeIntoCell(TableGrid* grid, int row, int col, const QString& text) {
    focusOnCell(grid, row, col);
    for (QChar ch : text) {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : grid;
        QTest::keyClicks(target, QString(ch));
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCoreApplication::processEvents();  // the view commits after the editor saw the key
}

void chooseInCell(TableGrid* grid, int row, int col, const QString& item) {
    focusOnCell(grid, row, col);
    QTest::keyClick(grid, Qt::Key_F2);
    auto* combo = qobject_cast<QComboBox*>(QApplication::focusWidget());
    QVERIFY2(combo, "a drop-down opens on F2");
    int i = combo->findText(item);
    QVERIFY2(i >= 0, qPrintable(item));
    combo->setCurrentIndex(i);
    emit combo->activated(i);
}

QString cellText(TableGrid* grid, int row, int col) {
    return grid->model()->index(row - 1, col - 1).data().toString();
}

QString importDrawing(const char* name) {
    return QDir::cleanPath(QString(TALVOR_TEST_DATA) + "/../../project/data/dxf/" + name);
}
