// Helpers of the desktop tests: a program directory, a project directory and
// a settings file of the test's own; the main window started on them; modal
// dialogs found and answered as a user answers them.
#pragma once

#include "shell/CMainFrame.h"
#include "shell/CalcWindow.h"

#include "data/CSlideCalcData.h"
#include "platform/WorkContext.h"

#include <QMessageBox>
#include <QTemporaryDir>

#include <functional>
#include <memory>

class QAbstractButton;

// Sinks that remember what they were told, status lines with their code, and
// the questions asked, each answered with `answer`.
struct ShellSinks : StatusSink, MessageSink {
    QStringList lines, asked;
    bool answer = true;
    void tell_error(int code, const std::string& text) override {
        lines << QString("%1 %2").arg(code).arg(QString::fromStdString(text));
    }
    void message(const std::string& text) override { lines << QString::fromStdString(text); }
    bool question(const std::string& text, bool) override {
        asked << QString::fromStdString(text);
        return answer;
    }
};

// A drawing of the DXF import tests of the project library.
QString importDrawing(const char* name);

struct ShellPlace {
    QTemporaryDir root;
    QString programDir;  // a copy of the shipped program directory
    QString projectDir;  // not made yet
    QString settingsFile;

    ShellPlace();
    StartOptions options(bool withProject) const;
    QString projectFile(const QString& name) const { return projectDir + "/" + name; }
};

// A calculation window's surroundings as a project window gives them: a work
// directory with a copy of the program directory beside it, sinks that
// remember, the item's record with its result files named, and what the file
// dialog and the reinforcement settings dialog answer.
struct CalcWindowPlace {
    ShellPlace place;
    ShellSinks sinks;
    WorkContext ctx;
    CSlideCalcData record;
    QString chosenFile;
    std::optional<RebarSettings> rebar;

    CalcWindowPlace() { reset(); }
    void reset();  // all of it as new but the directories
    CalcWindowLinks links(const std::string& fileBase = "&TLVR_0001");
};

// The main window as the program starts it: shown, then the project opened or
// asked for. Modal dialogs of the start must be answered beforehand.
std::unique_ptr<CMainFrame> startFrame(const StartOptions& options);

// Calls act with the next modal window that opens (also one opening while an
// earlier one is still up), from inside its event loop.
void whenModal(std::function<void(QWidget*)> act);
// Answers the next message box with the button and records its text.
void answerMessage(QMessageBox::StandardButton button, QString* text = nullptr);
// The button of a window with this visible text, or null.
QAbstractButton* buttonNamed(QWidget* window, const QString& text);
void click(QWidget* window, const QString& buttonText);

// The bytes of a file; empty when it cannot be read.
QByteArray fileBytes(const QString& path);

class TableGrid;

// Table cells as a user reaches them: the cursor put on the cell (row and
// column from 1) of a grid in the active window, text typed and Enter, a
// drop-down item chosen after F2.
void focusOnCell(TableGrid* grid, int row, int col);
void typeIntoCell(TableGrid* grid, int row, int col, const QString& text);
void chooseInCell(TableGrid* grid, int row, int col, const QString& item);
QString cellText(TableGrid* grid, int row, int col);
