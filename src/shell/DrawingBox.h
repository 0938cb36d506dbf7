// A drawing shown whole, fitted into the widget and repainted from memory:
// the live sketch and the page picture of the calculation window.
#pragma once

#include <QWidget>

#include <memory>

class DXF;

class DrawingBox : public QWidget {
    Q_OBJECT
  public:
    explicit DrawingBox(QWidget* parent = nullptr);
    ~DrawingBox() override;

    // Takes the drawing over; null empties the widget.
    void setDrawing(std::unique_ptr<DXF> drawing);
    const DXF* drawing() const { return m_drawing.get(); }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::unique_ptr<DXF> m_drawing;
};
