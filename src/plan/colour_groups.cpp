/*
 * The plan's storage. The build is added here.
 */
#include "plan/colour_groups.h"

std::vector<ColourGroup> ColourGroupList;
int SourceWidth = 0;
int SourceHeight = 0;
