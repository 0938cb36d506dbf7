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
    int result = 1;                  // 0 when a file could not be moved; those moved came back
    int files = 0;                   // how many files were moved
    std::string folder;              // the full path they went to, ending with "/"
    std::vector<std::string> names;  // the files moved
};

// The names of item n's files in the work path: the file base followed by
// "." or "_" ("&TLVR_0005.DAT", "&TLVR_0005.DAT.BAK", "&TLVR_0005_TLVR_JT.DXF"),
// letter case ignored, sorted.
std::vector<std::string> ItemFileNames(const WorkContext& ctx, int number);

// Moves item n's files into a new sub-folder of the removed-items folder;
// with no files nothing is made. All or none: when one cannot be moved, those
// already moved are moved back. Told to nobody: the callers below say why.
ItemFilesMove MoveItemFilesAside(const WorkContext& ctx, int number);

// Moves the files of a move back where they were and removes its folder;
// 0 when one of them could not be moved back (it stays in the folder).
int MoveItemFilesBack(const WorkContext& ctx, const ItemFilesMove& move);

// "删": moves the item's files aside, then removes it from the list, telling
// the status sink where they went; the project file is saved later, as every
// change of the list is. 0 (list unchanged) when the position is not in the
// list or a file could not be moved.
int RemoveProjectItem(CProjectData& project, const WorkContext& ctx, int kind, int position);

// `project … remove`: the same, and the project file saved at once. When it
// cannot be saved the files are moved back and the list is left as it was,
// so that the list on disk, the folder and the message agree; 0 then too.
int RemoveProjectItemAndSave(CProjectData& project, const WorkContext& ctx, int kind, int position);

// "增" and `project … add`: allocates and appends the next number, first
// moving aside any file already under it (a damaged project file, a file
// copied in by hand) and saying so. The new number, or 0 with the project
// unchanged when the kind is full or a file could not be moved.
int AddProjectItem(CProjectData& project, const WorkContext& ctx, int kind);

// The end of an add, once the new item's files are written: the project file
// saved. When it cannot be, the files under the new number (only those just
// written: AddProjectItem moved any older ones aside) are removed again, so
// that no unlisted item is left, and the reason is told. 0 then.
int SaveProjectWithNewItem(CProjectData& project, const WorkContext& ctx, int number);

// Removes the files under a number just added whose writing failed.
void DiscardNewItemFiles(const WorkContext& ctx, int number);
