/*
 * Storage of the shared text buffer.
 */
#include "app/text_buffer.h"

char TextBuffer[kTextBufferSize];
