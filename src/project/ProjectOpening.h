// Opening a project directory: the project record loaded from "Talvor.PRJ" for
// the one calculation kind, and the confirmation of the project-information
// dialog, which makes the directory and writes "GCXX.BOX" there.
#pragma once

#include <string>

class CProjectData;
struct CProjectInfo;
struct WorkContext;

enum class ProjectLoad {
    Loaded,   // "Talvor.PRJ" was read
    Created,  // there was none: an empty project, written at the next save
    Damaged,  // there is one that cannot be read: an empty project that
              // leaves the file alone until the user changes something
};

// Resets the record, loads the project file of ctx's work path and includes
// the calculation kind.
ProjectLoad OpenProjectRecord(const WorkContext& ctx, CProjectData& project);

enum class ProjectDirOutcome {
    Ready,         // the directory exists and holds the confirmed information
    NotCreated,    // the directory neither exists nor could be made
    InfoNotSaved,  // the directory is there but "GCXX.BOX" could not be written
};

struct ConfirmedDirectory {
    ProjectDirOutcome outcome = ProjectDirOutcome::NotCreated;
    std::string workPath;  // the directory, trimmed, ending with "/"
};

// What "确  认" does with the typed path: trims blanks at both ends, makes
// the directory when missing, and writes the information into it.
ConfirmedDirectory ConfirmProjectDirectory(const std::string& typedPath, const CProjectInfo& info);
