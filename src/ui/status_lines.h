/*
 * The panel's three result lines beside the pick buttons: the source
 * rectangle with its size, the destination point, and the palette mark.
 * The formatted lines are written into the shared text buffer and drawn
 * from there at once.
 */
#pragma once

// "(%4d,%4d)-(%4d,%4d) %4dx%4d": SourceRect's left, top, right, bottom and
// its inclusive width and height. Writes into TextBuffer and returns the
// length in bytes. Wider numbers widen their field; nothing is cut.
int FormatSourceLine();

// "(%4d,%4d)": DestPoint. Writes into TextBuffer and returns the length.
int FormatDestLine();

// "○" when the Palette is found, otherwise "×": one double-byte character,
// which the panel MUST draw with kPaletteMarkLength bytes.
const char* PaletteMark();
const int kPaletteMarkLength = 2;
