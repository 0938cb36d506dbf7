// One step of the calculation window's history that changed the item's
// reinforcement settings: the file beside the data file before and after.
// Private to the edit facade.
#pragma once

#include "rebar/RebarSettings.h"

#include <QUndoCommand>

#include <optional>
#include <string>

class RebarSettingsCommand : public QUndoCommand {
  public:
    // The file already holds `after` when the step is pushed. before holds
    // the file's bytes as they were, so that undo puts back even a damaged
    // file exactly; nullopt when there was none, which undo removes again.
    RebarSettingsCommand(std::string path, std::optional<std::string> before, RebarSettings after);

    void undo() override;
    void redo() override;

  private:
    std::string m_path;
    std::optional<std::string> m_before;
    RebarSettings m_after;
    bool m_done = true;
};
