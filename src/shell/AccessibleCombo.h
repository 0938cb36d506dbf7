// Combo boxes that keep the name given them for screen readers. On Linux,
// Qt reads a combo box's current entry as its name, so "计算项目" would be
// heard only until an item is selected; here the name stays and the entry is
// the value.
#pragma once

// Makes every combo box with an accessible name answer with it; once per
// program, before the first combo box is made.
void installAccessibleComboNames();
