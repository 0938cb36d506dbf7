// Message boxes titled with the program's name.
#include "shell/GuiMessageSink.h"

#include <QApplication>
#include <QMessageBox>

namespace {

const char* kTitle = "Talvor设计软件";

}  // namespace

void GuiMessageSink::message(const std::string& text) {
    QMessageBox::information(QApplication::activeWindow(), kTitle, QString::fromStdString(text));
}

bool GuiMessageSink::question(const std::string& text, bool defaultAnswer) {
    auto defaultButton = defaultAnswer ? QMessageBox::Yes : QMessageBox::No;
    return QMessageBox::question(QApplication::activeWindow(), kTitle, QString::fromStdString(text),
                                 QMessageBox::Yes | QMessageBox::No,
                                 defaultButton) == QMessageBox::Yes;
}
