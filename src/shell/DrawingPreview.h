// A drawing shown whole, fitted into the widget: the preview of the template
// chooser and of the item window, and the project window's left pane until the
// drawing view with zoom and pan takes it over.
#pragma once

#include <QWidget>

#include <memory>

class DXF;

class DrawingPreview : public QWidget {
    Q_OBJECT
  public:
    explicit DrawingPreview(QWidget* parent = nullptr);
    ~DrawingPreview() override;

    // Takes the drawing over; null empties the widget.
    void setDrawing(std::unique_ptr<DXF> drawing);
    // Shows a DXF file; false (and empty) when it cannot be read.
    bool showFile(const QString& path);
    void clear();
    const DXF* drawing() const { return m_drawing.get(); }

    QSize sizeHint() const override { return {380, 300}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::unique_ptr<DXF> m_drawing;
};
