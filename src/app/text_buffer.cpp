/*
 * The shared text buffer and the one way text is formatted into it.
 */
#include "app/text_buffer.h"

#include <cstdarg>
#include <cstdio>

char TextBuffer[kTextBufferSize];

int FormatText(const char* format, ...)
{
    std::va_list values;
    va_start(values, format);
    const int wanted = std::vsnprintf(TextBuffer, kTextBufferSize, format, values);
    va_end(values);
    if (wanted < 0) {
        TextBuffer[0] = '\0';
        return 0;
    }
    return wanted < kTextBufferSize ? wanted : kTextBufferSize - 1;
}
