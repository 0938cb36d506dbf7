// The result chooser "选择查询内容": a small window listing the titles of
// the item's result drawings; a double click shows one, "确定" shows the
// selected one and hides the window. It is made once and then only shown
// and hidden.
#pragma once

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class CSlideCalcData;
class QListWidget;

class ResultChooser : public QDialog {
    Q_OBJECT
  public:
    // showFile shows a drawing file in the drawing view.
    using ShowFile = std::function<void(const std::string& path)>;

    ResultChooser(ShowFile showFile, QWidget* parent = nullptr);

    // Lists the record's result drawings (files prefixed with workPath).
    void fill(const CSlideCalcData& record, const std::string& workPath);
    QListWidget* list() const { return m_list; }
    // Shows the drawing of the given line.
    void showLine(int line);

  private:
    ShowFile m_showFile;
    QListWidget* m_list;
    std::vector<std::string> m_files;
};

// Command 1030 after the window has closed: no result drawing, nothing; one,
// shown directly; more, the chooser filled and shown. Returns the number of
// result drawings.
int ShowResultDrawings(const CSlideCalcData& record, const std::string& workPath,
                       ResultChooser& chooser);
