// The files of one item in the work path (its data file, the data file's
// previous version and its result files, all named from "&TLVR_%04d") and the
// project's folder of removed items. Removing an item, or meeting files under
// a number just allocated, moves them there: nothing an engineer wrote is
// deleted, and a reused number never meets an old file.
#pragma once

#include <string>
#include <vector>

class CProjectData;
struct WorkContext;

// The folder of the work path that keeps removed items, one sub-folder per
// removal: "&TLVR_0005-1", "&TLVR_0005-2", ... so removals never collide.
inline constexpr const char* kRemovedItemsFolder = "Removed";

struct ItemFilesMove {
    int result = 1;      // 0 when a file could not be moved; the rest stayed
    int files = 0;       // how many files were moved
    std::string folder;  // the full path they went to, ending with "/"
};

// The names of item n's files in the work path: the file base followed by
// "." or "_" ("&TLVR_0005.DAT", "&TLVR_0005.BAK", "&TLVR_0005_TLVR_JT.DXF"),
// letter case ignored, sorted.
std::vector<std::string> ItemFileNames(const WorkContext& ctx, int number);

// Moves item n's files into a new sub-folder of the removed-items folder;
// with no files nothing is made. Told to nobody: the callers below say why.
ItemFilesMove MoveItemFilesAside(const WorkContext& ctx, int number);

// "删" and `project … remove`: moves the item's files aside, then removes it
// from the list, telling the status sink where they went. 0 (list unchanged)
// when the position is not in the list or a file could not be moved.
int RemoveProjectItem(CProjectData& project, const WorkContext& ctx, int kind, int position);

// "增" and `project … add`: allocates and appends the next number, first
// moving aside any file already under it (a damaged project file, a file
// copied in by hand) and saying so. The new number, or 0 with the project
// unchanged when the kind is full or a file could not be moved.
int AddProjectItem(CProjectData& project, const WorkContext& ctx, int kind);
