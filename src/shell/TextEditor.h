// The user's text editor on a file, for files the engineer edits by hand
// (the pile library): $VISUAL, else $EDITOR (either may carry arguments,
// "code --wait"), else what the desktop opens text files with. The program
// does not wait on it: whoever starts it listens for the process to finish.
#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

class QProcess;

struct EditorCommand {
    QString program;
    QStringList arguments;  // the file's path last
};

// The command that edits `path` under this environment.
EditorCommand textEditorCommand(const QString& path, const QProcessEnvironment& env);

// Starts the editor on `path`. The process belongs to the application, so
// that closing the window that asked does not end the user's editor, and is
// deleted once it has finished. Null when it could not be started.
QProcess* startTextEditor(
    const QString& path, const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment());
