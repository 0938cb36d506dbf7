// Status lines with their time.
#include "shell/CalcInfoDock.h"

#include <QMainWindow>
#include <QPlainTextEdit>
#include <QTime>

CalcInfoDock::CalcInfoDock(QWidget* parent)
    : QDockWidget("计算信息", parent), m_lines(new QPlainTextEdit(this)) {
    setObjectName("calcInfo");
    m_lines->setReadOnly(true);
    m_lines->setAccessibleName("计算信息");
    m_lines->setMaximumBlockCount(5000);
    setWidget(m_lines);
}

void CalcInfoDock::tell_error(int code, const std::string& text) {
    if (code == kStatusClear) {
        m_lines->clear();
        return;
    }
    if (isHidden()) {
        show();
        // A few lines' height: the project window keeps the room.
        if (auto* frame = qobject_cast<QMainWindow*>(parentWidget()))
            frame->resizeDocks({this}, {120}, Qt::Vertical);
    }
    raise();
    if (code == kStatusShow) return;
    m_lines->appendPlainText(QTime::currentTime().toString("HH:mm:ss  ") +
                             QString::fromStdString(text));
}

QString CalcInfoDock::text() const {
    return m_lines->toPlainText();
}
