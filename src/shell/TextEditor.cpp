// Starting the editor is the one platform-dependent step of editing a file by
// hand; the fallback is each desktop's own way of opening a text file.
#include "shell/TextEditor.h"

#include <QCoreApplication>
#include <QProcess>

namespace {

// An editor that has not started by then is taken as one that cannot.
constexpr int kStartWaitMs = 5000;

}  // namespace

EditorCommand textEditorCommand(const QString& path, const QProcessEnvironment& env) {
    for (const char* variable : {"VISUAL", "EDITOR"}) {
        QStringList words = QProcess::splitCommand(env.value(QString::fromLatin1(variable)));
        if (words.isEmpty()) continue;
        QString program = words.takeFirst();
        return {program, words << path};
    }
#if defined(Q_OS_WIN)
    return {QStringLiteral("notepad.exe"), {path}};
#elif defined(Q_OS_MACOS)
    return {QStringLiteral("open"), {QStringLiteral("-W"), QStringLiteral("-t"), path}};
#else
    return {QStringLiteral("xdg-open"), {path}};
#endif
}

QProcess* startTextEditor(const QString& path, const QProcessEnvironment& env) {
    EditorCommand command = textEditorCommand(path, env);
    auto* process = new QProcess(QCoreApplication::instance());
    process->setProcessEnvironment(env);
    // Terminal editors ($EDITOR=vi) need the terminal the program was started
    // from, if any; graphical ones ignore it.
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setInputChannelMode(QProcess::ForwardedInputChannel);
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    process->start(command.program, command.arguments);
    if (!process->waitForStarted(kStartWaitMs)) {
        delete process;
        return nullptr;
    }
    return process;
}
