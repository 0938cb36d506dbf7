// The start of the desktop program: the work path from the command line, the
// settings, the program directory found from the program file, one instance
// per user, and the main window over the whole screen with the project opened
// or asked for.
#pragma once

#include <QStringList>
class QCoreApplication;
struct StartOptions;

// Qt's own texts (the standard buttons' "确定", "取消", "是", "否", the file
// dialogs) in Chinese whatever the system's locale, from the translations
// installed with Qt. false when they are not installed: Qt's English stays.
bool installQtChinese(QCoreApplication& app);

// The options of a start from the program's arguments (without the program's
// name): the first argument, if any, is the work path; the program directory
// is found as talvor-cli finds it.
StartOptions startOptionsFrom(const QStringList& arguments);

// The whole program; returns its exit status.
int runTalvor(int argc, char** argv);
