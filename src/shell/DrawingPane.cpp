// The commands the whole-drawing pane can carry out.
#include "shell/DrawingPane.h"

#include "shell/Commands.h"

#include "platform/Drawing.h"

DrawingPane::DrawingPane(QWidget* parent) : DrawingBox(parent) {
    setAccessibleName("图形");
    setFocusPolicy(Qt::StrongFocus);
}

bool DrawingPane::showFile(const QString& path) {
    auto drawing = NewMemDxf();
    if (!drawing || !drawing->Read_FileDxf_To_Mem(path.toStdString())) {
        clear();
        return false;
    }
    setDrawing(std::move(drawing));
    return true;
}

void DrawingPane::clear() {
    setDrawing(nullptr);
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
