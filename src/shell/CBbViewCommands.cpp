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

bool isDrawingCommand(int command) {
    return command == cmd::ZoomOut || command == cmd::ZoomIn || command == cmd::ShowAll ||
           command == cmd::Pan || command == cmd::ZoomWindow || command == cmd::Redraw ||
           command == cmd::PreviousZoom;
}

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

bool CBbView::canRun(int command) const {
    bool text = !document()->isEmpty();
    bool selection = textCursor().hasSelection();
    switch (command) {
        case cmd::Undo:
            return document()->isUndoAvailable();
        case cmd::Cut:
        case cmd::Copy:
        case cmd::ClearSelection:
            return selection;
        case cmd::Paste:
        case cmd::PasteSpecial:
            return canPaste();
        case cmd::FindNext:
            return text && !m_lastFind.isEmpty();
        case cmd::SelectAll:
        case cmd::Find:
        case cmd::Replace:
        case cmd::GoToLine:
        case cmd::SaveRtf:
        case cmd::SaveRtfAs:
        case cmd::SaveText:
        case cmd::ClearView:
        case cmd::Print:
        case cmd::PrintPreview:
        case cmd::SavePdf:
            return text;
        case cmd::ReadRtf:
        case cmd::InsertObject:
        case cmd::CharFormat:
        case cmd::PrintSetup:
            return true;
        default:
            // Linked objects and their properties have nothing to act on here.
            return isDrawingCommand(command) && m_links.drawingCommand;
    }
}

void CBbView::run(int command) {
    if (!canRun(command)) return;
    if (isDrawingCommand(command)) return m_links.drawingCommand(command);
    if (runEditing(command) || runFiles(command)) return;
    runPrinting(command);
}

bool CBbView::runEditing(int command) {
    switch (command) {
        case cmd::Undo:
            undo();
            break;
        case cmd::Cut:
            cut();
            break;
        case cmd::Copy:
            copy();
            break;
        case cmd::Paste:
            paste();
            break;
        case cmd::PasteSpecial:
            insertPlainText(QApplication::clipboard()->text());
            break;
        case cmd::ClearSelection:
            textCursor().removeSelectedText();
            break;
        case cmd::SelectAll:
            selectAll();
            break;
        case cmd::Find:
        case cmd::Replace:
            showFind(command == cmd::Replace);
            break;
        case cmd::FindNext:
            FindText(m_lastFind, m_lastFlags);
            break;
        case cmd::GoToLine:
            askGoToLine();
            break;
        case cmd::CharFormat:
            askCharFormat();
            break;
        case cmd::ClearView:
            ClearReport();
            break;
        default:
            return false;
    }
    return true;
}

bool CBbView::runFiles(int command) {
    QString path;
    switch (command) {
        case cmd::ReadRtf:
            readRtf();
            return true;
        case cmd::SaveRtf:
            if (!m_path.isEmpty()) {
                if (!SaveReport(m_path)) tell("无法写入 " + m_path);
                return true;
            }
            [[fallthrough]];
        case cmd::SaveRtfAs:
            path = chooseFile("更名保存RTF文件", kRtfFilter, true, "RTF");
            if (!path.isEmpty() && !SaveReport(path)) tell("无法写入 " + path);
            return true;
        case cmd::SaveText:
            path = chooseFile("保存文件为文本文件", QString(kTextFilter) + ";;" + kAllFilter, true,
                              "TXT");
            if (!path.isEmpty() && !WritePlainText(path)) tell("无法写入 " + path);
            return true;
        case cmd::InsertObject:
            path = chooseFile("插入对象", kPictureFilter, false);
            if (!path.isEmpty() && !InsertPictureFile(path)) tell("无法读取图片文件 " + path);
            return true;
        default:
            return false;
    }
}

bool CBbView::runPrinting(int command) {
    if (command == cmd::Print) {
        QPrintDialog dialog(&printer(), this);
        if (dialog.exec() == QDialog::Accepted) printReport(*document(), printer(), heading());
    } else if (command == cmd::PrintPreview) {
        QPrintPreviewDialog preview(&printer(), this);
        preview.setWindowTitle("打印预览");
        connect(&preview, &QPrintPreviewDialog::paintRequested, this,
                [this](QPrinter* p) { printReport(*document(), *p, heading(), true); });
        preview.exec();
    } else if (command == cmd::PrintSetup) {
        QPageSetupDialog(&printer(), this).exec();
    } else if (command == cmd::SavePdf) {
        QString path = chooseFile("保存为PDF文件", "PDF文件(*.pdf *.PDF)", true, "pdf");
        if (!path.isEmpty() && !SavePdf(path)) tell("无法写入 " + path);
    } else {
        return false;
    }
    return true;
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
