/*
 * The Palette and its reset. Slider detection is added here.
 */
#include "palette/palette.h"

PaletteRecord Palette = {{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, 0, 0, 0};

void ClearSliderLines()
{
    Palette.red = SliderLine{0, 0, 0, 0};
    Palette.green = SliderLine{0, 0, 0, 0};
    Palette.blue = SliderLine{0, 0, 0, 0};
}

bool PaletteFound()
{
    return Palette.red.left != Palette.red.right && Palette.blue.left != Palette.blue.right &&
           Palette.green.left != Palette.green.right;
}
