// What the desktop program holds while it runs: the work context with its
// sinks, the open project's record and information, the one calculation
// record the calculation window edits, the template index and the context of
// the item being opened. The main frame owns it and lends it to its windows.
#pragma once

#include "data/CSlideCalcData.h"
#include "platform/WorkContext.h"
#include "project/CProjectData.h"
#include "project/CProjectInfo.h"
#include "project/CTemplateIndex.h"
#include "project/ItemList.h"

struct ProjectSession {
    WorkContext ctx;
    CProjectData project;
    CProjectInfo info;  // the last confirmed project information
    CSlideCalcData record;
    CTemplateIndex templates;
    ItemContext item;  // set by opening an item, read by the calculation window
    bool projectOpen = false;
    int openProjectUses = 0;  // from the second "打开工程" on, the old project is saved first
};
