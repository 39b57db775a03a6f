/*
 * The wait box's reading: the typed cases a user meets, the 32-bit wrap,
 * and a fuzz run over many random texts against two independent readings:
 * the C library's strtoll for numbers that fit, and a digit-by-digit
 * reduction modulo 2^32 for runs of digits of any length.
 */
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>

#include "ui/wait_text.h"

namespace {

TEST(WaitText, ReadsWhatAUserTypes)
{
    EXPECT_EQ(ReadWaitText("250"), 250);
    EXPECT_EQ(ReadWaitText("  -12abc"), -12);
    EXPECT_EQ(ReadWaitText("+7"), 7);
    EXPECT_EQ(ReadWaitText("1 2"), 1);
    EXPECT_EQ(ReadWaitText("abc"), 0);
    EXPECT_EQ(ReadWaitText(""), 0);
    EXPECT_EQ(ReadWaitText("0"), 0);
    EXPECT_EQ(ReadWaitText("007"), 7);
}

TEST(WaitText, SkipsExactlyTheSixWhiteSpaceBytes)
{
    EXPECT_EQ(ReadWaitText(" \t\n\v\f\r42"), 42);
    // Anything else before the number ends the reading with no digits.
    EXPECT_EQ(ReadWaitText("\x81\x40" "42"), 0);  // an ideographic space in CP932
    EXPECT_EQ(ReadWaitText("\xA0" "42"), 0);
    EXPECT_EQ(ReadWaitText("_42"), 0);
}

TEST(WaitText, TakesOneSignOnlyAndNoBlankAfterIt)
{
    EXPECT_EQ(ReadWaitText("-"), 0);
    EXPECT_EQ(ReadWaitText("+-5"), 0);
    EXPECT_EQ(ReadWaitText("--5"), 0);
    EXPECT_EQ(ReadWaitText("- 5"), 0);
    EXPECT_EQ(ReadWaitText("-0"), 0);
}

TEST(WaitText, WrapsAt32Bits)
{
    EXPECT_EQ(ReadWaitText("2147483647"), 2147483647);
    EXPECT_EQ(ReadWaitText("2147483648"), -2147483647 - 1);
    EXPECT_EQ(ReadWaitText("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(ReadWaitText("4294967295"), -1);
    EXPECT_EQ(ReadWaitText("4294967296"), 0);
    EXPECT_EQ(ReadWaitText("4294967297"), 1);
    EXPECT_EQ(ReadWaitText("-4294967297"), -1);
    // 10^20 mod 2^32 = 1661992960.
    EXPECT_EQ(ReadWaitText("100000000000000000000"), 1661992960);
}

int FromBits(std::uint32_t bits)
{
    return bits <= 0x7FFFFFFFu ? static_cast<int>(bits) : -static_cast<int>(~bits) - 1;
}

// The sign and digit run as strtoll finds it, reduced modulo 2^32 digit by
// digit in 64-bit arithmetic.
int ReferenceByReduction(const std::string& text)
{
    const char* p = text.c_str();
    while (*p == ' ' || (*p >= '\t' && *p <= '\r'))
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-')
        negative = *p++ == '-';
    std::uint64_t value = 0;
    for (; *p >= '0' && *p <= '9'; ++p)
        value = (value * 10 + static_cast<std::uint64_t>(*p - '0')) % 4294967296ull;
    const std::uint64_t wrapped = negative ? (4294967296ull - value) % 4294967296ull : value;
    return FromBits(static_cast<std::uint32_t>(wrapped));
}

// strtoll's own reading, when it did not overflow, reduced to 32 bits.
bool ReferenceByStrtoll(const std::string& text, int* result)
{
    errno = 0;
    const long long value = std::strtoll(text.c_str(), nullptr, 10);
    if (errno == ERANGE)
        return false;
    *result = FromBits(static_cast<std::uint32_t>(static_cast<unsigned long long>(value)));
    return true;
}

std::string RandomWaitText(std::mt19937& random)
{
    // Biased towards the bytes that matter to the reading.
    static const char kPieces[] = " \t\n\v\f\r+-0123456789012345678989aZ.x_";
    std::uniform_int_distribution<int> length(0, 24);
    std::uniform_int_distribution<int> kind(0, 9);
    std::uniform_int_distribution<int> piece(0, sizeof kPieces - 2);
    std::uniform_int_distribution<int> anyByte(1, 255);
    std::string text;
    const int n = length(random);
    for (int i = 0; i < n; ++i)
        text += kind(random) == 0 ? static_cast<char>(anyByte(random)) : kPieces[piece(random)];
    return text;
}

TEST(WaitText, AgreesWithReferenceReadingsOnRandomTexts)
{
    std::mt19937 random(20261210);
    int checkedAgainstStrtoll = 0;
    for (int i = 0; i < 200000; ++i) {
        const std::string text = RandomWaitText(random);
        const int read = ReadWaitText(text.c_str());
        ASSERT_EQ(read, ReferenceByReduction(text)) << "text: \"" << text << "\"";
        int expected = 0;
        if (ReferenceByStrtoll(text, &expected)) {
            ASSERT_EQ(read, expected) << "text: \"" << text << "\"";
            ++checkedAgainstStrtoll;
        }
    }
    // Most texts must also have met the library's reading.
    EXPECT_GT(checkedAgainstStrtoll, 150000);
}

}  // namespace
