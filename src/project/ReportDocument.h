// A calculation report as the report view holds it: text runs with a colour
// and a character height, and pictures of drawings. Built from the report text
// by expanding its "%%%[MorvaneScript%%%" directives, or read back from RTF.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct ReportRun {
    static constexpr int kAutoColour = -1;
    static constexpr int kDefaultHeight = 200;  // twips: 10 points

    enum class Kind { Text, Picture };
    Kind kind = Kind::Text;
    std::string text;          // UTF-8, for a text run
    int colour = kAutoColour;  // 0x00BBGGRR as the directives give it
    int heightTwips = kDefaultHeight;
    std::string pictureFile;  // drawing named by "InsertDxf=", relative to the work path
    std::string png;          // picture bytes, when read back from RTF

    bool sameFormat(const ReportRun& o) const {
        return kind == Kind::Text && o.kind == Kind::Text && colour == o.colour &&
               heightTwips == o.heightTwips;
    }
    bool operator==(const ReportRun&) const = default;
};

using ReportDocument = std::vector<ReportRun>;

// Appends text in the given format, joining it to the last run when that has
// the same format.
void appendText(ReportDocument& doc, std::string_view text, int colour = ReportRun::kAutoColour,
                int heightTwips = ReportRun::kDefaultHeight);

// What one directive (the text between the markers) becomes: a picture run
// for "InsertDxf=", its text in its colour and height for "TextStyle=";
// nothing for any other directive, whose block then stays as it is.
std::optional<ReportRun> DirectiveRun(std::string_view directive);

// The report text with every directive block replaced: "InsertDxf=" by a
// picture, "TextStyle=" by its text in its colour and height. A block that is
// neither, and an opening marker without a closing one, stay as text.
ReportDocument ExpandScript(std::string_view text);

// The item's name as the report's head gives it (after kReportItemLead);
// empty when the report has no such line.
std::string ReportItemName(std::string_view reportText);

// The drawings the report's picture runs name that cannot be read, each as
// "FILE: reason" with the reader's reason where it gave one; runs that carry
// their picture are not read.
std::vector<std::string> UnreadableDrawings(const ReportDocument& doc, const std::string& workPath);

// The text of the report without its pictures.
std::string PlainText(const ReportDocument& doc);
// Writes PlainText as GBK; 1 on success, 0 (old file kept) otherwise.
int WritePlainText(const std::string& path, const ReportDocument& doc);
