// The settings file written or removed on undo and redo.
#include "shell/commands/RebarSettingsCommand.h"

#include "platform/AtomicFile.h"

#include <QString>

#include <filesystem>

RebarSettingsCommand::RebarSettingsCommand(std::string path, std::optional<std::string> before,
                                           RebarSettings after)
    : QUndoCommand(QStringLiteral("配筋参数")),
      m_path(std::move(path)),
      m_before(std::move(before)),
      m_after(std::move(after)) {}

void RebarSettingsCommand::undo() {
    if (m_before) {
        writeFileAtomically(m_path, *m_before);
        return;
    }
    std::error_code ec;
    std::filesystem::remove(m_path, ec);
}

void RebarSettingsCommand::redo() {
    if (m_done) {
        m_done = false;
        return;
    }
    WriteRebarSettings(m_path, m_after);
}
