// The drawing view of a project window and its command table.
#include "shell/DrawingPane.h"

#include "shell/Commands.h"

#include <QPainter>

namespace {

bool always(const DrawingPane&) {
    return true;
}

bool shown(const DrawingPane& pane) {
    return pane.hasDrawing();
}

template <void (CCxView::*slot)()>
void call(DrawingPane& pane) {
    (pane.*slot)();
}

// The seven zoom commands first, in the order of the toolbar; the print
// commands are reached through the active view and have no entry of their own.
const CommandRow<DrawingPane> kCommands[] = {
    {cmd::ZoomOut, "缩小", {}, ":/icons/zoom-out.svg", shown, call<&CCxView::zoomOut>},
    {cmd::ZoomIn, "放大", {}, ":/icons/zoom-in.svg", shown, call<&CCxView::zoomIn>},
    {cmd::Pan, "平移", {}, ":/icons/pan.svg", shown, call<&CCxView::pan>},
    {cmd::ShowAll, "全图显示", {}, ":/icons/show-all.svg", shown, call<&CCxView::showAll>},
    {cmd::Redraw, "重画", {}, ":/icons/redraw.svg", shown, call<&CCxView::redraw>},
    {cmd::ZoomWindow, "窗口放大", {}, ":/icons/zoom-window.svg", shown, call<&CCxView::zoomRect>},
    {cmd::PreviousZoom,
     "前一次显示",
     {},
     ":/icons/previous-zoom.svg",
     shown,
     call<&CCxView::previousZoom>},
    {cmd::ReadDxf, "读入DXF文件", {}, nullptr, always, call<&CCxView::openDrawingFile>},
    {cmd::SaveDxf, "显示简图存为DXF文件", {}, nullptr, shown, call<&CCxView::saveDrawingAs>},
    {cmd::CopyDrawing, "显示图形拷贝到剪贴板上", {}, nullptr, shown, call<&CCxView::copyDrawing>},
    {cmd::TextHeight, "设置字符高度", {}, nullptr, always, call<&CCxView::editTextRatio>},
    {cmd::ClearView, "清除视窗", {}, nullptr, shown, call<&CCxView::clear>},
    {cmd::Print, nullptr, {}, nullptr, shown, call<&CCxView::print>},
    {cmd::PrintPreview, nullptr, {}, nullptr, shown, call<&CCxView::printPreview>},
};

}  // namespace

CommandTable<DrawingPane> DrawingPane::commands() {
    return kCommands;
}

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
