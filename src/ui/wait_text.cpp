/*
 * The wait box's reading. The value is built in unsigned arithmetic, whose
 * wrap is defined, and only turned into a signed value at the end.
 */
#include "ui/wait_text.h"

#include <cstdint>

namespace {

bool IsWaitTextSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDecimalDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The two's-complement reading of a 32-bit pattern, without relying on the
// implementation's conversion of out-of-range values.
int AsSigned32(std::uint32_t bits)
{
    if (bits <= 0x7FFFFFFFu)
        return static_cast<int>(bits);
    return -static_cast<int>(~bits) - 1;
}

}  // namespace

int ReadWaitText(const char* text)
{
    while (IsWaitTextSpace(*text))
        ++text;
    bool negative = false;
    if (*text == '+' || *text == '-') {
        negative = *text == '-';
        ++text;
    }
    std::uint32_t value = 0;
    while (IsDecimalDigit(*text)) {
        value = value * 10u + static_cast<std::uint32_t>(*text - '0');
        ++text;
    }
    return AsSigned32(negative ? 0u - value : value);
}
