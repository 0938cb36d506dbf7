// What a DXF import would bring, shown before the record changes: the current
// sketch with the lines found drawn over it in their colours, and a line of
// text for each of them and for the polylines passed over. "读入" takes them
// over, "取消" leaves everything as it is; a drawing without any of the
// three lines offers only "关闭".
#pragma once

#include <QDialog>

class CCxView;
class CSlideCalcData;
class QLabel;
struct DxfSectionScan;

class DxfPreviewDialog : public QDialog {
    Q_OBJECT
  public:
    DxfPreviewDialog(const CSlideCalcData& record, const DxfSectionScan& scan,
                     QWidget* parent = nullptr);

    CCxView* view() const { return m_view; }
    QLabel* summary() const { return m_summary; }

  private:
    CCxView* m_view;
    QLabel* m_summary;
};
