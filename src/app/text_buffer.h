/*
 * The one shared text buffer through which every formatted text passes: the
 * panel's status lines, the wait text read at Start, the overlay label and
 * the completion message. Each user formats into it and draws or parses at
 * once, on the one thread, so no user sees another's text.
 */
#pragma once

const int kTextBufferSize = 1024;
extern char TextBuffer[kTextBufferSize];

// Formats into TextBuffer, as printf does, and returns the length of the
// text it holds: cut to the buffer when longer, 0 when nothing could be
// formatted.
int FormatText(const char* format, ...);
