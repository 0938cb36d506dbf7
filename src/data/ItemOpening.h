// Opening an item's data file as every front end does: the file read the way
// it has always been read, and what the reader had to guess and the values
// outside their ranges told, so that the engineer knows where to look.
#pragma once

#include "platform/InputDiagnostics.h"

#include <string>
#include <string_view>

class CSlideCalcData;
class MessageSink;
class StatusSink;

struct OpenedItem {
    int read = 0;                  // 1 when the file was read into the item
    InputDiagnostics diagnostics;  // where the reader had to guess
    InputDiagnostics ranges;       // values outside their ranges (a read file only)
    // Writing back a file read with guesses would make them permanent.
    bool mayRewrite() const { return read == 1 && diagnostics.empty(); }
};

// Reads path into item and tells the diagnostics, then the range warnings, to
// status, and a file that could not be read to messages (each when given).
// An unreadable file may have left item half read: callers that must keep
// their record read into a copy.
OpenedItem OpenItemFile(const std::string& path, CSlideCalcData& item, StatusSink* status,
                        MessageSink* messages = nullptr);
// The same for a data file's bytes that came from elsewhere than a file (a
// browser's upload); name is the file's name.
OpenedItem OpenItemBytes(std::string_view bytes, const std::string& name, CSlideCalcData& item,
                         StatusSink* status, MessageSink* messages = nullptr);

// What the user is told about an item file that could not be read.
std::string UnreadableItemText(const std::string& path);

// A new data file holding the default worked item, as `talvor-cli new` starts
// one: with the item's description, and comment lines naming every field when
// asked. An existing file is an engineer's work: it is replaced only when
// forced, and then kept as .BAK.
enum class NewItemFile { Written, Exists, NotWritten };
NewItemFile WriteNewItemFile(const std::string& path, const std::string& name, bool commented,
                             bool force);
