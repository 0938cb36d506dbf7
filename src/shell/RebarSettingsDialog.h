// The dialog "配筋参数": the item's reinforcement settings, one row each,
// bar grades chosen from a list, numbers typed and checked on OK against the
// same rules the settings file is read by.
#pragma once

#include "rebar/RebarSettings.h"

#include <QDialog>

#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QLineEdit;
class QWidget;

class RebarSettingsDialog : public QDialog {
    Q_OBJECT
  public:
    RebarSettingsDialog(const RebarSettings& current, const std::string& path,
                        QWidget* parent = nullptr);

    // The settings as the rows hold them; nullopt with the reason in *why
    // when a row does not read.
    std::optional<RebarSettings> settings(std::string* why) const;

    void accept() override;

  private:
    struct Row {
        std::string key;
        QComboBox* choice = nullptr;
        QLineEdit* text = nullptr;
    };
    std::vector<Row> m_rows;
};

// Shows the dialog over parent; the settings chosen, or nullopt when cancelled.
std::optional<RebarSettings> EditRebarSettings(const RebarSettings& current,
                                               const std::string& path, QWidget* parent);
