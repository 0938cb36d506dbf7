// User messages as modal message boxes over the active window: OK for a
// message, Yes/No for a question.
#pragma once

#include "platform/Sinks.h"

class GuiMessageSink : public MessageSink {
  public:
    void message(const std::string& text) override;
    bool question(const std::string& text, bool defaultAnswer) override;
};
