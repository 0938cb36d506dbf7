// The calculation information window: a dock of the main window in which
// every status line of a calculation appears with the time it was told.
#pragma once

#include "platform/Sinks.h"

#include <QDockWidget>

class QPlainTextEdit;

class CalcInfoDock : public QDockWidget, public StatusSink {
    Q_OBJECT
  public:
    explicit CalcInfoDock(QWidget* parent = nullptr);

    // Code kStatusClear empties the window; kStatusShow shows it; every other code adds
    // the text as a line with the time and shows the window.
    void tell_error(int code, const std::string& text) override;

    QString text() const;

  private:
    QPlainTextEdit* m_lines;
};
