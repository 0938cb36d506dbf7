// The left pane of a project window: the drawing of the selected result view.
// Until the drawing view with zoom and pan stands here, the pane shows the
// drawing whole and carries out only "清除视窗" and the redraw commands.
#pragma once

#include "shell/DrawingBox.h"

class DrawingPane : public DrawingBox {
    Q_OBJECT
  public:
    explicit DrawingPane(QWidget* parent = nullptr);

    // Shows a DXF file; false (and empty) when it cannot be read.
    bool showFile(const QString& path);
    void clear();

    bool canRun(int command) const;
    void run(int command);
};
