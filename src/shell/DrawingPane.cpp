// The commands the whole-drawing pane can carry out.
#include "shell/DrawingPane.h"

#include "shell/Commands.h"

DrawingPane::DrawingPane(QWidget* parent) : DrawingPreview(parent) {
    setAccessibleName("图形");
    setFocusPolicy(Qt::StrongFocus);
}

bool DrawingPane::canRun(int command) const {
    switch (command) {
        case cmd::ClearView:
        case cmd::ShowAll:
        case cmd::Redraw:
            return drawing() != nullptr;
        default:
            return false;
    }
}

void DrawingPane::run(int command) {
    if (!canRun(command)) return;
    if (command == cmd::ClearView)
        clear();
    else
        update();
}
