// The report view's commands: editing, find and replace, the character
// format, files in and out, pictures, printing, preview and PDF, and the
// right-click popup.
#include "shell/CBbView.h"

#include "shell/Commands.h"
#include "shell/FindReplaceDialog.h"

#include "render/ReportPages.h"
#include "render/ReportPictures.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QContextMenuEvent>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSvgRenderer>
#include <QVBoxLayout>

namespace {

// Files of other programs carry either case of their extension.
const char* const kRtfFilter = "RTF文件(*.RTF *.rtf)";
const char* const kTextFilter = "文本文件(*.TXT *.txt)";
const char* const kAllFilter = "所有文件(*)";
const char* const kPictureFilter = "图片文件(*.png *.jpg *.jpeg *.svg *.PNG *.JPG *.JPEG *.SVG)";

// An SVG drawn at print resolution, its size the one it declares.
QImage svgImage(const QString& path) {
    QSvgRenderer svg(path);
    if (!svg.isValid() || svg.defaultSize().isEmpty()) return {};
    double scale = reportpage::kPrintDpi / reportpage::kLayoutDpi;
    QImage image((QSizeF(svg.defaultSize()) * scale).toSize(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    svg.render(&painter);
    painter.end();
    int perMetre = static_cast<int>(reportpage::kPrintDpi / 0.0254 + 0.5);
    image.setDotsPerMeterX(perMetre);
    image.setDotsPerMeterY(perMetre);
    return image;
}

// "字体与颜色设置": the face, size and effects of a font dialog and a colour
// below it, in one dialog. False when cancelled.
bool askFormat(QWidget* parent, QTextCharFormat& format) {
    QDialog dialog(parent);
    dialog.setWindowTitle("字体与颜色设置");
    auto* fonts = new QFontDialog(format.font(), &dialog);
    fonts->setOptions(QFontDialog::NoButtons);
    QColor colour = format.foreground().style() == Qt::NoBrush ? QColor(Qt::black)
                                                               : format.foreground().color();
    auto* pick = new QPushButton("颜色(&C)...", &dialog);
    auto showColour = [pick, &colour] {
        pick->setStyleSheet(QString("QPushButton { color: %1; }").arg(colour.name()));
    };
    showColour();
    QObject::connect(pick, &QPushButton::clicked, &dialog, [&] {
        QColor chosen = QColorDialog::getColor(colour, &dialog, "颜色");
        if (chosen.isValid()) colour = chosen;
        showColour();
    });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(fonts);
    layout->addWidget(pick, 0, Qt::AlignLeft);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted) return false;
    format.setFont(fonts->currentFont());
    format.setForeground(colour);
    return true;
}

}  // namespace

CommandTable<CBbView> CBbView::commands() {
    using K = QKeySequence;
    using V = CBbView;
    auto always = [](const V&) { return true; };
    auto text = [](const V& v) { return v.hasText(); };
    auto selection = [](const V& v) { return v.textCursor().hasSelection(); };
    auto pasting = [](const V& v) { return v.canPaste(); };
    // Linked objects and their properties have nothing to act on here: their
    // entries stay grey.
    auto never = [](const V&) { return false; };
    auto nothing = [](V&) {};
    static const CommandRow<CBbView> rows[] = {
        {cmd::Undo, "恢复", K::Undo, nullptr,
         [](const V& v) { return v.document()->isUndoAvailable(); }, [](V& v) { v.undo(); }},
        {cmd::Cut, "剪切", K::Cut, nullptr, selection, [](V& v) { v.cut(); }},
        {cmd::Copy, "拷贝", K::Copy, nullptr, selection, [](V& v) { v.copy(); }},
        {cmd::Paste, "粘贴", K::Paste, nullptr, pasting, [](V& v) { v.paste(); }},
        {cmd::PasteSpecial,
         "特别粘贴",
         {},
         nullptr,
         pasting,
         [](V& v) { v.insertPlainText(QApplication::clipboard()->text()); }},
        {cmd::ClearSelection,
         "删除选择的文字",
         {},
         nullptr,
         selection,
         [](V& v) { v.textCursor().removeSelectedText(); }},
        {cmd::SelectAll, "全选", K::SelectAll, nullptr, text, [](V& v) { v.selectAll(); }},
        {cmd::Find, "寻找", K::Find, nullptr, text, [](V& v) { v.showFind(false); }},
        {cmd::FindNext, "寻找下一个", K::FindNext, nullptr,
         [](const V& v) { return v.hasText() && !v.m_lastFind.isEmpty(); },
         [](V& v) { v.FindText(v.m_lastFind, v.m_lastFlags); }},
        {cmd::Replace, "替换", K::Replace, nullptr, text, [](V& v) { v.showFind(true); }},
        {cmd::GoToLine, "跳到指定行", {}, nullptr, text, [](V& v) { v.askGoToLine(); }},
        {cmd::InsertObject, "插入对象", {}, nullptr, always, [](V& v) { v.insertObject(); }},
        {cmd::LinkObject, "连接对象", {}, nullptr, never, nothing},
        {cmd::ObjectProperties, "对象属性", {}, nullptr, never, nothing},
        {cmd::CharFormat, "字体与颜色设置", {}, nullptr, always, [](V& v) { v.askCharFormat(); }},
        {cmd::ReadRtf, "读入RTF文件", {}, nullptr, always, [](V& v) { v.readRtf(); }},
        {cmd::SaveRtf, "保存RTF文件", {}, nullptr, text, [](V& v) { v.saveRtf(false); }},
        {cmd::SaveRtfAs, "更名保存RTF文件", {}, nullptr, text, [](V& v) { v.saveRtf(true); }},
        {cmd::SaveText, "保存文件为文本文件", {}, nullptr, text, [](V& v) { v.saveText(); }},
        {cmd::ClearView, "清除视窗", {}, nullptr, text, [](V& v) { v.ClearReport(); }},
        {cmd::SavePdf, "保存为PDF文件", {}, nullptr, text, [](V& v) { v.savePdfAs(); }},
        // Printing is reached through the active view: no entries of their own.
        {cmd::Print, nullptr, {}, nullptr, text, [](V& v) { v.printPages(); }},
        {cmd::PrintPreview, nullptr, {}, nullptr, text, [](V& v) { v.previewPages(); }},
        {cmd::PrintSetup,
         nullptr,
         {},
         nullptr,
         always,
         [](V& v) { QPageSetupDialog(&v.printer(), &v).exec(); }},
    };
    return rows;
}

bool CBbView::canRun(int command) const {
    return canRunCommand(commands(), *this, command);
}

void CBbView::run(int command) {
    runCommand(commands(), *this, command);
}

void CBbView::saveRtf(bool askName) {
    if (!askName && !m_path.isEmpty()) {
        if (!SaveReport(m_path)) tell("无法写入 " + m_path);
        return;
    }
    QString path = chooseFile("更名保存RTF文件", kRtfFilter, true, "RTF");
    if (!path.isEmpty() && !SaveReport(path)) tell("无法写入 " + path);
}

void CBbView::saveText() {
    QString path =
        chooseFile("保存文件为文本文件", QString(kTextFilter) + ";;" + kAllFilter, true, "TXT");
    if (!path.isEmpty() && !WritePlainText(path)) tell("无法写入 " + path);
}

void CBbView::insertObject() {
    QString path = chooseFile("插入对象", kPictureFilter, false);
    if (!path.isEmpty() && !InsertPictureFile(path)) tell("无法读取图片文件 " + path);
}

void CBbView::printPages() {
    QPrintDialog dialog(&printer(), this);
    if (dialog.exec() == QDialog::Accepted) printReport(*document(), printer(), heading());
}

void CBbView::previewPages() {
    QPrintPreviewDialog preview(&printer(), this);
    preview.setWindowTitle("打印预览");
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* p) { printReport(*document(), *p, heading(), true); });
    preview.exec();
}

void CBbView::savePdfAs() {
    QString path = chooseFile("保存为PDF文件", "PDF文件(*.pdf *.PDF)", true, "pdf");
    if (!path.isEmpty() && !SavePdf(path)) tell("无法写入 " + path);
}

QPrinter& CBbView::printer() {
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_printer->setPageSize(QPageSize(QPageSize::A4));
        // The report draws its own margins, heading and page numbers.
        m_printer->setFullPage(true);
    }
    return *m_printer;
}

void CBbView::readRtf() {
    QString path = chooseFile("读入RTF文件",
                              QString(kRtfFilter) + ";;" + kTextFilter + ";;" + kAllFilter, false);
    if (path.isEmpty()) return;
    setUpdatesEnabled(false);
    int loaded = LoadReport(path);
    setUpdatesEnabled(true);
    if (!loaded) tell("无法读取 " + path);
}

void CBbView::askGoToLine() {
    int line = textCursor().blockNumber() + 1;
    bool ok = m_links.askNumber ? m_links.askNumber("指定行号", "行号:", line)
                                : (line = QInputDialog::getInt(this, "指定行号", "行号:", line, 1,
                                                               document()->blockCount(), 1, &ok),
                                   ok);
    if (ok) GoToLine(line);
}

void CBbView::showFind(bool replace) {
    if (!m_find) {
        m_find = new FindReplaceDialog(this);
        connect(m_find, &FindReplaceDialog::findNext, this,
                [this](const QString& t, QTextDocument::FindFlags f) { FindText(t, f); });
        connect(m_find, &FindReplaceDialog::replaceNext, this, &CBbView::ReplaceNext);
        connect(m_find, &FindReplaceDialog::replaceAll, this,
                [this](const QString& t, const QString& w, QTextDocument::FindFlags f) {
                    tell(QString("已替换 %1 处。").arg(ReplaceAll(t, w, f)));
                });
    }
    m_find->open(replace, textCursor().selectedText());
}

void CBbView::askCharFormat() {
    QTextCharFormat format = currentCharFormat();
    if (askFormat(this, format)) mergeCurrentCharFormat(format);
}

bool CBbView::FindText(const QString& text, QTextDocument::FindFlags flags) {
    m_lastFind = text;
    m_lastFlags = flags;
    if (text.isEmpty()) return false;
    QTextCursor found = document()->find(text, textCursor(), flags);
    if (found.isNull()) found = document()->find(text, 0, flags);
    if (found.isNull()) {
        tell(QString("找不到“%1”。").arg(text));
        return false;
    }
    setTextCursor(found);
    return true;
}

void CBbView::ReplaceNext(const QString& text, const QString& with,
                          QTextDocument::FindFlags flags) {
    Qt::CaseSensitivity cs =
        flags & QTextDocument::FindCaseSensitively ? Qt::CaseSensitive : Qt::CaseInsensitive;
    QTextCursor cursor = textCursor();
    if (cursor.hasSelection() && cursor.selectedText().compare(text, cs) == 0)
        cursor.insertText(with);
    FindText(text, flags);
}

int CBbView::ReplaceAll(const QString& text, const QString& with, QTextDocument::FindFlags flags) {
    if (text.isEmpty()) return 0;
    int count = 0;
    QTextCursor edit(document());
    edit.beginEditBlock();
    for (QTextCursor found = document()->find(text, 0, flags); !found.isNull();
         found = document()->find(text, found, flags)) {
        found.insertText(with);
        ++count;
    }
    edit.endEditBlock();
    return count;
}

int CBbView::InsertPictureFile(const QString& path) {
    QImage image = QFileInfo(path).suffix().compare("svg", Qt::CaseInsensitive) == 0
                       ? svgImage(path)
                       : QImage(path);
    QTextImageFormat format = m_store->addImage(image);
    if (format.name().isEmpty()) return 0;
    textCursor().insertImage(format);
    return 1;
}

QString CBbView::chooseFile(const QString& title, const QString& filter, bool save,
                            const QString& suffix) {
    QString path;
    if (m_links.chooseFile) {
        path = m_links.chooseFile(title, filter, save);
    } else {
        QString dir = QString::fromStdString(m_links.workPath ? m_links.workPath() : "");
        path = save ? QFileDialog::getSaveFileName(this, title, dir, filter)
                    : QFileDialog::getOpenFileName(this, title, dir, filter);
    }
    if (save && !path.isEmpty() && !suffix.isEmpty() && QFileInfo(path).suffix().isEmpty())
        path += "." + suffix;
    return path;
}

void CBbView::tell(const QString& text) {
    QMessageBox::information(this, "Talvor", text);
}

void CBbView::contextMenuEvent(QContextMenuEvent* event) {
    // The window's own "文字编辑[&T]" menu, so that the popup and the menu bar agree.
    for (QMenu* menu : window()->findChildren<QMenu*>()) {
        if (menu->title() == "文字编辑[&T]") {
            menu->exec(event->globalPos());
            return;
        }
    }
    std::unique_ptr<QMenu> menu(createStandardContextMenu(event->pos()));
    menu->setTitle("文字编辑[&T]");
    menu->exec(event->globalPos());
}
