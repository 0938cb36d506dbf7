// The item list of a project directory worked without a window, as
// `talvor-cli project DIR …` does: listing the items with their result views,
// listing the template library, and adding an item from a template, each the
// way the item bar and the template chooser do it one click at a time.
#pragma once

#include <string>
#include <vector>

class CProjectData;
class CTemplateIndex;
struct WorkContext;

// Reads the template index of the program directory, telling what is damaged
// in it to the status sink; false when there is none.
bool LoadTemplatesTelling(CTemplateIndex& index, const WorkContext& ctx);

struct ResultView {
    std::string title, drawing, report;  // the files' bare names
    bool drawingPresent = false, reportPresent = false;
};

struct ListedItem {
    std::string line;  // "%02d  %s(&TLVR_%04d.DAT)" as the item combo shows it
    std::vector<ResultView> results;
};

// The items of the project with their result views and whether their files
// are in the work path.
std::vector<ListedItem> ListProjectItems(const CProjectData& project, const WorkContext& ctx);

// The templates of the library as the chooser lists them, in order (the
// template at position p is number p in `project add --template p`); false
// when the library's directory or index is missing. The directory is not
// created.
bool ListTemplates(const WorkContext& ctx, std::vector<std::string>& lines);

// The pile library of the program directory as the pile dialog lists it, one
// line per test with its columns separated by tabs; false when the program
// directory holds no library file.
bool ListPileLibrary(const WorkContext& ctx, std::vector<std::string>& lines);

enum class AddOutcome {
    Added,
    NoSuchTemplate,      // the position is not in the library
    TemplateUnreadable,  // its data file could not be read
    Full,                // the project holds no more items or numbers
    NotOpened,           // told by the item list
    NotWritten,          // the new item's files could not be written
    NotSaved,            // the project file could not be saved (told)
};

struct AddedItem {
    AddOutcome outcome = AddOutcome::NotOpened;
    std::string line;        // the new item's line in the list
    int templateCount = 0;   // how many templates the library holds
    int templateNumber = 0;  // the template's file number
};

// "增" without a window: the work path made when missing, the project file
// loaded (a missing or damaged one is an empty project), a new item started
// from the system default (templatePos 0) or template number templatePos
// (1-based, in the order of ListTemplates) with the template's reinforcement
// settings, named by its kind's title and position, written without results,
// and the project file saved; "GCXX.BOX" is written when missing. Whatever
// fails leaves no unlisted item behind.
AddedItem AddItemFromTemplate(const WorkContext& ctx, int templatePos);
