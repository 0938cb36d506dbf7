// The left pane of a project window: the drawing of the selected result view.
// Until the drawing view with zoom and pan stands here, the pane shows the
// drawing whole and carries out only "清除视窗" and the redraw commands.
#pragma once

#include "shell/DrawingPreview.h"

class DrawingPane : public DrawingPreview {
    Q_OBJECT
  public:
    explicit DrawingPane(QWidget* parent = nullptr);

    bool canRun(int command) const;
    void run(int command);
};
