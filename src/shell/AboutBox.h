// The about box "版本信息": the program's icon, its title and its version.
#pragma once

#include <QDialog>

class AboutBox : public QDialog {
    Q_OBJECT
  public:
    explicit AboutBox(QWidget* parent = nullptr);
};
