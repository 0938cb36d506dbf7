// The left pane of a project window: the drawing view, answering the command
// numbers of the menus and the toolbar that belong to it.
#pragma once

#include "shell/CCxView.h"
#include "shell/Commands.h"

class DrawingPane : public CCxView {
    Q_OBJECT
  public:
    explicit DrawingPane(QWidget* parent = nullptr);

    // Shows a DXF file; false (and empty) when it cannot be read.
    bool showFile(const QString& path);
    // Empties the view and writes the text in it (why there is no drawing);
    // an empty text leaves the view blank. The next drawing shown clears it.
    void showNote(const QString& text);
    QString note() const { return m_note; }

    // The drawing view's commands: those on a drawing need one.
    static CommandTable<DrawingPane> commands();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString m_note;
};
