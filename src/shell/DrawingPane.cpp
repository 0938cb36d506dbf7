// Command numbers to the drawing view's slots.
#include "shell/DrawingPane.h"

#include "shell/Commands.h"

#include <QPainter>

namespace {

struct Slot {
    int command;
    void (CCxView::*slot)();
    bool needsDrawing;
};

const Slot kSlots[] = {
    {cmd::ZoomOut, &CCxView::zoomOut, true},
    {cmd::ZoomIn, &CCxView::zoomIn, true},
    {cmd::Pan, &CCxView::pan, true},
    {cmd::ShowAll, &CCxView::showAll, true},
    {cmd::Redraw, &CCxView::redraw, true},
    {cmd::ZoomWindow, &CCxView::zoomRect, true},
    {cmd::PreviousZoom, &CCxView::previousZoom, true},
    {cmd::ClearView, &CCxView::clear, true},
    {cmd::SaveDxf, &CCxView::saveDrawingAs, true},
    {cmd::CopyDrawing, &CCxView::copyDrawing, true},
    {cmd::Print, &CCxView::print, true},
    {cmd::PrintPreview, &CCxView::printPreview, true},
    {cmd::ReadDxf, &CCxView::openDrawingFile, false},
    {cmd::TextHeight, &CCxView::editTextRatio, false},
};

const Slot* slotOf(int command) {
    for (const Slot& s : kSlots)
        if (s.command == command) return &s;
    return nullptr;
}

}  // namespace

DrawingPane::DrawingPane(QWidget* parent) : CCxView(parent) {
    setAccessibleName("图形");
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &CCxView::drawingChanged, this, [this] {
        if (hasDrawing()) m_note.clear();
    });
}

bool DrawingPane::showFile(const QString& path) {
    showNote({});
    return showDrawingFile(path) == 1;
}

void DrawingPane::showNote(const QString& text) {
    clear();
    m_note = text;
    setAccessibleDescription(text);
    update();
}

void DrawingPane::paintEvent(QPaintEvent* event) {
    CCxView::paintEvent(event);
    if (hasDrawing() || m_note.isEmpty()) return;
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::PlaceholderText));
    painter.drawText(rect().adjusted(16, 16, -16, -16), Qt::AlignCenter | Qt::TextWordWrap, m_note);
}

bool DrawingPane::canRun(int command) const {
    const Slot* s = slotOf(command);
    if (!s) return false;
    return !s->needsDrawing || hasDrawing();
}

void DrawingPane::run(int command) {
    if (canRun(command)) (this->*(slotOf(command)->slot))();
}
