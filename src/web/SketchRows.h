// Which table rows stand for which elements of the calculation sketch: a
// segment row for its segment, a load row for its load, a pile-row factor for
// its row; a row of the pile, berm or unloading table for every element of
// its kind. The desktop's live sketch and the web page link rows and elements
// through this one list.
#pragma once

#include "diagrams/SketchElements.h"
#include "tables/TableId.h"

#include <optional>
#include <vector>

struct SketchRowLink {
    TableId table;
    SketchElementKind kind;
    bool whole;  // every row stands for all elements of the kind
};

// In order: a click on an element selects the first table listing it.
const std::vector<SketchRowLink>& sketchRowLinks();
// The link of a table; none for a table without elements.
const SketchRowLink* sketchRowLink(TableId table);
// The row (from 1) of the first table listing the element, with that table.
std::optional<std::pair<TableId, int>> sketchElementRow(const SketchElement& element);
// The name of an element kind in markup ("SlipSegment").
const char* sketchKindName(SketchElementKind kind);
