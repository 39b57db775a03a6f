/*
 * The child identifiers of the panel's ten controls, in the order they are
 * made. The window procedure dispatches commands on these alone. The nine
 * buttons and check boxes come first; the wait box is last, so that the
 * overlay can hide and show "every control but the wait box" as the range
 * from ID_SOURCE_REGION to ID_SYNC_EVERY_PIXEL.
 */
#pragma once

const int ID_SOURCE_REGION = 1000;
const int ID_DEST_POSITION = 1001;
const int ID_RGB_REGION = 1002;
const int ID_START = 1003;
const int ID_TRANSPARENT_TOP_LEFT = 1004;
const int ID_PAINTER_ADJUST = 1005;
const int ID_SYNC_COLOUR_SWITCH = 1006;
const int ID_SYNC_MOUSE_MOVE = 1007;
const int ID_SYNC_EVERY_PIXEL = 1008;
const int ID_WAIT_EDIT = 1009;

const int kFirstControlId = ID_SOURCE_REGION;
const int kControlCount = 10;
// The buttons and check boxes that a pick hides: every control but the
// wait box.
const int kPickHiddenControlCount = 9;

