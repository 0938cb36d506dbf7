// The drawing view: one in-memory drawing, painted vector-sharp at any zoom,
// with the zoom, pan and file commands of a CAD viewer. It knows nothing of
// projects or items: the project window shows result drawings in it and the
// calculation window its live sketch; whoever owns it wires its slots to
// menus and toolbars and its signals to the status bar.
//
// Mouse: the wheel zooms about the cursor, the middle button drags the
// drawing (a middle double click shows all), the left button drags or spans
// the zoom rectangle while "pan" or "zoom to a rectangle" is on; the right
// button or Esc ends those modes.
#pragma once

#include "render/ViewNavigator.h"

#include <QColor>
#include <QPointF>
#include <QPolygonF>
#include <QString>
#include <QWidget>

#include <memory>
#include <vector>

class DXF;
class DrawingIndex;
class QPainter;
class QPrinter;
class QRubberBand;

// Paths painted over the drawing, in drawing units, as wide as `width`
// pixels at any zoom: what a table row selects, what an import would bring.
struct ViewOverlay {
    std::vector<QPolygonF> paths;
    QColor color;
    double width = 3.0;
};

class CCxView : public QWidget {
    Q_OBJECT
  public:
    // What the left button does.
    enum class Mode { None, Pan, ZoomRect };

    explicit CCxView(QWidget* parent = nullptr);
    ~CCxView() override;

    // Takes the drawing over and shows it whole; null empties the view.
    void setDrawing(std::unique_ptr<DXF> drawing);
    // Takes over a new version of the shown drawing (the input it shows was
    // edited), keeping the zoom and pan unless its extent grew past the view.
    void replaceDrawing(std::unique_ptr<DXF> drawing);
    // Show a drawing file: the view is emptied, the DXF file read into a new
    // drawing and shown whole. 1 when it was read; 0, with the view left
    // empty, when it could not be.
    int showDrawingFile(const QString& path);
    // The shown drawing; null when the view is empty.
    const DXF* drawing() const { return m_drawing.get(); }
    bool hasDrawing() const { return m_drawing != nullptr; }

    // Writes the shown drawing as an R12 DXF file, atomically: 1 when
    // written; 0 when it could not be or nothing is shown.
    int saveDrawing(const QString& path) const;
    // Puts the whole shown drawing on the clipboard as SVG and as a PNG
    // image: 1, or 0 when nothing is shown.
    int copyToClipboard() const;
    // Prints what the view shows onto the printer's page: the view's scale
    // grows by the smaller of page width / view width and page height /
    // view height, so the picture fills the page undistorted. The view
    // itself does not change.
    void paintOnPrinter(QPrinter& printer) const;

    const ViewTransform& viewTransform() const { return m_navigator.transform(); }
    const ViewNavigator& navigator() const { return m_navigator; }
    Mode mode() const { return m_mode; }

    // Texts are painted this many times their height (1 at start); the view,
    // its copies and its prints all use it.
    double textRatio() const { return m_textRatio; }
    void setTextRatio(double ratio);
    // Where the open and save dialogs start (the current directory until set).
    void setWorkDirectory(const QString& directory) { m_workDirectory = directory; }

    // Replaces the paths painted over the drawing (none: empty); they stay
    // when the drawing changes.
    void setOverlays(std::vector<ViewOverlay> overlays);
    const std::vector<ViewOverlay>& overlays() const { return m_overlays; }

    QSize sizeHint() const override { return {380, 300}; }

  public slots:
    // The seven drawing commands; without a drawing they do nothing.
    void zoomOut();       // half the scale, about the view's centre
    void zoomIn();        // twice the scale, about the view's centre
    void pan();           // the left button drags the drawing until ended
    void showAll();       // the whole drawing fills the view
    void redraw();        // paints the view again
    void zoomRect();      // the next left-button rectangle fills the view
    void previousZoom();  // back to the view before the last change

    void clear();            // "清除视窗": empties the view
    void openDrawingFile();  // "读入DXF文件": open dialog, then showDrawingFile
    void saveDrawingAs();    // "显示简图存为DXF文件": save dialog, then saveDrawing
    void copyDrawing();      // "显示图形拷贝到剪贴板上"
    void editTextRatio();    // "设置字符高度": the dialog "文字显示比例"
    void print();            // print dialog, then paintOnPrinter
    void printPreview();     // print preview of paintOnPrinter

  signals:
    // The drawing point under the mouse in section metres (drawing
    // millimetres / 1000), for the status bar.
    void cursorPosition(QPointF metres);
    // A drawing was shown or the view emptied.
    void drawingChanged();
    void textRatioChanged(double ratio);
    // A left click that neither drags nor ends a mode, at this drawing point
    // (drawing units); `pixel` is one device pixel in drawing units, for
    // whoever looks for what lies under the mouse.
    void clicked(QPointF world, double pixel);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void setMode(Mode mode);
    void paintOverlays(QPainter& painter) const;
    QPrinter& printer();

    std::unique_ptr<DXF> m_drawing;
    std::unique_ptr<DrawingIndex> m_index;
    ViewNavigator m_navigator;
    Mode m_mode = Mode::None;
    double m_textRatio = 1.0;
    QString m_workDirectory;
    // A drag in progress: the button that moves the drawing, or the corner
    // where the zoom rectangle started.
    Qt::MouseButton m_dragButton = Qt::NoButton;
    QPointF m_dragFrom;
    QRubberBand* m_band = nullptr;  // child widget, owned by the view
    std::unique_ptr<QPrinter> m_printer;
    std::vector<ViewOverlay> m_overlays;
};
