/*
 * The desktop seam over an image: for programs that run the portable logic
 * on a stored picture instead of the live screen. The image is the screen,
 * the frozen snapshot and the frozen source all at once (pixel (x, y) of the
 * image is screen pixel (x, y)); it never changes, so freezing copies
 * nothing. The cursor is only remembered, button presses reach no window,
 * the clock is the system's and the completion box is written to stderr.
 */
#pragma once

#include "image_file.h"

// Makes image the screen (and sets ScreenWidth and ScreenHeight to its
// size). The image MUST stay alive, unchanged, while the logic runs.
void UseImageAsScreen(const Image& image);
