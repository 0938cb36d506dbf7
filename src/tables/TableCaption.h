// What a user calls each input table: the words a screen reader says for it
// together with its page, and the title a window over it carries.
#pragma once

#include "tables/TableId.h"

// "滑面线", "坡面附加荷载", ...
const char* tableCaption(TableId id);
