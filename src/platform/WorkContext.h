// The run-time context passed to everything that touches project files or
// tells the user something: the work path, the program directory and the two
// sinks. There are no globals; whoever starts the program owns one of these.
#pragma once

#include "platform/LineReader.h"
#include "platform/Sinks.h"

#include <optional>
#include <string>

class DrawingShelf;

struct WorkContext {
    std::string G_strWorkPath;  // project directory, always ending with "/"
    std::string G_strExePath;   // program directory, always ending with "/"
    int G_Disp_TableTip = 1;    // show the table hints
    StatusSink* status = nullptr;
    MessageSink* messages = nullptr;
    // Where a calculation run keeps the drawings it writes; null: not kept.
    DrawingShelf* drawings = nullptr;
};

// A directory path as the program keeps it: "/" appended when missing.
std::string withTrailingSlash(std::string dir);

// The path of a file in dir whose name equals `name` ignoring ASCII case
// ("&TLVR_0001.dat" finds "&TLVR_0001.DAT"); an exact match wins. When no file
// matches, dir + name, so that a new file is created under the name given.
std::string resolveInDir(const std::string& dir, const std::string& name);

// A file at path, its name resolved in its directory as resolveInDir does:
// an item named "&TLVR_0001.DAT" is the calculation window's "&TLVR_0001.dat".
std::string resolvePath(const std::string& path);

// A file of the project, by its bare name, resolved in the work path.
std::string workFile(const WorkContext& ctx, const std::string& name);
// A file of the program directory, resolved there.
std::string exeFile(const WorkContext& ctx, const std::string& name);

// Opens a project file by its bare name for line reading.
std::optional<LineReader> open_file_no_comment(const WorkContext& ctx, const std::string& name);
