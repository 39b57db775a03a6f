/*
 * Every stored text must decode from code page 932 to exactly the text the
 * user is meant to see: a wrong byte shows as a wrong character on a
 * Japanese Windows and nowhere else, so the check is made here. The same
 * holds for the user's guide, which the package holds in code page 932.
 */
#include <gtest/gtest.h>
#include <iconv.h>

#include <fstream>
#include <sstream>
#include <string>

#include "app/painter_contract.h"
#include "app/texts.h"

namespace {

std::string Convert(const std::string& bytes, const char* from, const char* to)
{
    iconv_t converter = iconv_open(to, from);
    if (converter == reinterpret_cast<iconv_t>(-1))
        return "<no converter>";
    std::string input = bytes;
    std::string output(input.size() * 4 + 4, '\0');
    char* in = &input[0];
    char* out = &output[0];
    size_t inLeft = input.size();
    size_t outLeft = output.size();
    const size_t result = iconv(converter, &in, &inLeft, &out, &outLeft);
    iconv_close(converter);
    if (result == static_cast<size_t>(-1) || inLeft != 0)
        return "<not convertible>";
    output.resize(output.size() - outLeft);
    return output;
}

std::string DecodeCp932(const std::string& bytes) { return Convert(bytes, "CP932", "UTF-8"); }

struct ExpectedText {
    const char* stored;
    const char* utf8;
};

const ExpectedText kExpected[] = {
    {kTextWindowClass, u8"Vellipa class"},
    {kTextWindowTitle, u8"Vellipa phase 14"},
    {kTextSourceRegionButton, u8"転送元領域..."},
    {kTextDestPositionButton, u8"転送先位置..."},
    {kTextRgbRegionButton, u8"RGB領域..."},
    {kTextStartButton, u8"はじめ"},
    {kTextTransparentTopLeft, u8"左上色を透過"},
    {kTextPainterAdjust, u8"しぃペインター"},
    {kTextSyncColourSwitch, u8"色切替時に同期"},
    {kTextSyncMouseMove, u8"マウス移動時に同期"},
    {kTextSyncEveryPixel, u8"全ピクセルで同期"},
    {kTextWaitInitial, u8"0"},
    {kTextSourceLineFormat, u8"(%4d,%4d)-(%4d,%4d) %4dx%4d"},
    {kTextDestLineFormat, u8"(%4d,%4d)"},
    {kTextPaletteFound, u8"○"},
    {kTextPaletteNotFound, u8"×"},
    {kTextWaitLabel, u8"同期時のウェイト[ms]"},
    {kTextPointLabelFormat, u8" (%d,%d) "},
    {kTextRectLabelFormat, u8" (%d,%d)-(%d,%d) %dx%d "},
    {kTextElapsedFormat, u8"処理時間 : %d分%d秒"},
    {kTextCompletionTitle, u8"おわり - Vellipa"},
};

TEST(Texts, EachDecodesFromCp932ToItsText)
{
    for (const ExpectedText& text : kExpected)
        EXPECT_EQ(DecodeCp932(text.stored), text.utf8);
}

TEST(Texts, PaletteMarksAreOneDoubleByteCharacter)
{
    // The panel draws them with a length of 2 bytes.
    EXPECT_EQ(std::string(kTextPaletteFound).size(), 2u);
    EXPECT_EQ(std::string(kTextPaletteNotFound).size(), 2u);
}

// The guide's source (UTF-8) comes back from code page 932 unchanged, and
// names the panel's texts and the bar colours as the program has them.
TEST(Texts, UserGuideConvertsToCp932WithoutLossAndNamesWhatThePanelShows)
{
    std::ifstream file(VELLIPA_SOURCE_DIR "/res/guide-ja.txt", std::ios::binary);
    std::stringstream read;
    read << file.rdbuf();
    const std::string guide = read.str();
    ASSERT_GT(guide.size(), 1000u);
    std::istringstream lines(guide);
    int number = 0;
    for (std::string line; std::getline(lines, line);)
        EXPECT_EQ(DecodeCp932(Convert(line, "UTF-8", "CP932")), line) << "guide line " << ++number;

    for (const char* text : {kTextSourceRegionButton, kTextDestPositionButton, kTextRgbRegionButton,
                             kTextStartButton, kTextTransparentTopLeft, kTextPainterAdjust, kTextSyncColourSwitch,
                             kTextSyncMouseMove, kTextSyncEveryPixel, kTextWaitLabel, kTextPaletteFound,
                             kTextPaletteNotFound, kTextCompletionTitle})
        EXPECT_NE(guide.find(DecodeCp932(text)), std::string::npos) << DecodeCp932(text);
    for (Colour bar : {kRedBarColour, kGreenBarColour, kBlueBarColour}) {
        const std::string rgb = "(" + std::to_string(RedOf(bar)) + "," + std::to_string(GreenOf(bar)) + "," +
                                std::to_string(BlueOf(bar)) + ")";
        EXPECT_NE(guide.find(rgb), std::string::npos) << rgb;
    }
}

}  // namespace
