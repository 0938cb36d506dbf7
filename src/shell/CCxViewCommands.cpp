// The drawing view's commands that leave the screen: DXF files in and out,
// the clipboard, printing, and the text display ratio.
#include "shell/CCxView.h"

#include "render/DrawingPainter.h"
#include "render/DrawingRenderer.h"

#include "platform/Drawing.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <cmath>

namespace {

// Dialog filters: CAD programs write both ".DXF" and ".dxf".
const char* const kDxfFilter = "AutoCAD交换文件(*.DXF *.dxf)";
// Screen pixels per inch that a stroke of weight 1 is one pixel wide at.
constexpr double kScreenDpi = 96.0;

}  // namespace

int CCxView::saveDrawing(const QString& path) const {
    if (!m_drawing) return 0;
    return m_drawing->Write_MemDxf_To_File(path.toStdString());
}

int CCxView::copyToClipboard() const {
    if (!m_drawing) return 0;
    RenderOptions options;
    options.textRatio = m_textRatio;
    std::string svg = renderDrawingSvg(*m_drawing, options);
    auto mime = std::make_unique<QMimeData>();
    mime->setData(QStringLiteral("image/svg+xml"), QByteArray::fromStdString(svg));
    mime->setImageData(renderDrawingImage(*m_drawing, options));
    QGuiApplication::clipboard()->setMimeData(mime.release());  // the clipboard owns it
    return 1;
}

void CCxView::paintOnPrinter(QPrinter& printer) const {
    if (!m_drawing) return;
    QPainter painter;
    if (!painter.begin(&printer)) return;
    // The painter's origin is the corner of the printable area.
    QRectF page(QPointF(0, 0),
                printer.pageLayout().paintRectPixels(printer.resolution()).size().toSizeF());
    PaintOptions options;
    options.textRatio = m_textRatio;
    options.hairline = printer.resolution() / kScreenDpi;
    paintDrawing(painter, *m_drawing, viewTransform().forPage(page), options, m_index.get());
}

void CCxView::setTextRatio(double ratio) {
    if (!(ratio > 0.0) || !std::isfinite(ratio) || ratio == m_textRatio) return;
    m_textRatio = ratio;
    update();
    emit textRatioChanged(ratio);
}

void CCxView::openDrawingFile() {
    QString path = QFileDialog::getOpenFileName(this, QStringLiteral("读入DXF文件"),
                                                m_workDirectory, QString::fromUtf8(kDxfFilter));
    if (path.isEmpty()) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    int read = showDrawingFile(path);
    QApplication::restoreOverrideCursor();
    if (!read)
        QMessageBox::warning(this, QStringLiteral("读入DXF文件"),
                             QStringLiteral("无法读取图形文件 %1").arg(path));
}

void CCxView::saveDrawingAs() {
    if (!m_drawing) return;
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("显示简图存为DXF文件"),
                                                m_workDirectory, QString::fromUtf8(kDxfFilter));
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".DXF");
    if (!saveDrawing(path))
        QMessageBox::warning(this, QStringLiteral("显示简图存为DXF文件"),
                             QStringLiteral("无法写入图形文件 %1").arg(path));
}

void CCxView::copyDrawing() {
    copyToClipboard();
}

void CCxView::editTextRatio() {
    bool ok = false;
    double ratio =
        QInputDialog::getDouble(this, QStringLiteral("文字显示比例"),
                                QStringLiteral("文字显示比例:"), m_textRatio, 0.01, 100.0, 2, &ok);
    if (ok) setTextRatio(ratio);
}

void CCxView::print() {
    if (!m_drawing) return;
    QPrintDialog dialog(&printer(), this);
    if (dialog.exec() == QDialog::Accepted) paintOnPrinter(printer());
}

void CCxView::printPreview() {
    if (!m_drawing) return;
    QPrintPreviewDialog preview(&printer(), this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* p) { paintOnPrinter(*p); });
    preview.exec();
}
