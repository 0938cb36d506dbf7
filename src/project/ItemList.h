// The item list of a project window without its widgets: the lines of the item
// combo, the result views of the selected item and the files a result view
// shows. The desktop program displays what this computes.
#pragma once

#include <array>
#include <string>
#include <vector>

class CProjectData;
class MessageSink;
struct WorkContext;

// What opening an item hands to the calculation window.
struct ItemContext {
    std::string caption;   // "%s %d": the kind's title and the position + 1
    std::string fileBase;  // "&TLVR_%04d"
    int number = 0;
    int kindFlag = 0;
    int newItem = 0;  // 1 when the item has no data file yet
};

// The description of a data file at a full path: the text of its first
// "##Name" line from the 8th character on; empty when there is none.
std::string ReadNameLine(const std::string& path);

class ItemList {
  public:
    static constexpr int kMaxResults = 50;
    static constexpr int kTitleBytes = 99;  // a title field holds 100 bytes with its NUL
    static constexpr int kFileBytes = 59;   // a file field holds 60

    // The "##Name" text of an item's data file (bare name, resolved in the work
    // path ignoring case); empty when the file cannot be opened or has none.
    static std::string ReadItemName(const WorkContext& ctx, const std::string& fileName);
    // Replaces the result views by the "##ChaXun" lines of the data file.
    void ReadResultList(const WorkContext& ctx, const std::string& fileName);

    // Rebuilds the item lines "%02d  %s(&TLVR_%04d.DAT)" of the document's kind
    // and the result titles of the item at the remembered selection, then
    // places both selections as the item bar does.
    void RefreshItemList(const CProjectData& project, const WorkContext& ctx, bool selectLast);

    // The context of the item at the item combo's selection; 0 with
    // "请先点“增”按钮增加一个项目，再点计算。" when nothing valid is selected.
    int OpenItem(const CProjectData& project, bool newItem, MessageSink& messages,
                 ItemContext* context) const;
    // "是否真要删除 %s?" with the selected line; empty when nothing is selected.
    std::string DeleteQuestion() const;

    // The item number at a list position, 0 when the position is not in the list.
    int ItemNumberAt(const CProjectData& project, int position) const;

    // The drawing and report of the selected result view as paths in the work
    // path; false when the item has no result views.
    bool ShowResult(const WorkContext& ctx, std::string* dxfPath, std::string* rtfPath);

    int kindIndex = 0;
    int resultCount = 0;
    std::array<std::string, kMaxResults> resultTitles;
    std::array<std::string, kMaxResults> resultDxfFiles;
    std::array<std::string, kMaxResults> resultRtfFiles;
    int curItem = 0;
    int curResult = 0;

    // What the two combos hold and which line each selects (-1: none).
    std::vector<std::string> itemLines;
    int itemSelection = -1;
    std::vector<std::string> resultLines;
    int resultSelection = -1;

  private:
    void readResultsFrom(const std::string& path);
};
