/*
 * The desktop seam: every operation that the portable logic (slider
 * detection, planning, tracing) needs of the platform, and nothing more.
 *
 * The logic never includes windows.h. Each front end MUST provide every
 * function declared here, with the behaviour stated at its declaration:
 *   - vellipa.exe:  src/app/desktop_win32.cpp, over GDI and USER;
 *   - the tests:    tests/sim/sim_desktop.cpp, a simulated desktop with a
 *                   simulated clock and a log of every call;
 *   - vellipa-plan: tools/image_desktop.cpp, an image file standing for the
 *                   screen.
 *
 * Coordinates are screen pixels with the origin at the desktop's top-left
 * corner. Colours are COLORREF values, 0x00BBGGRR.
 */
#pragma once

#include <cstdint>

typedef std::uint32_t Colour;

// What a pixel read answers for a point it cannot read (the platform's
// CLR_INVALID). No real colour has a non-zero top byte.
const Colour kNoPixel = 0xFFFFFFFFu;

inline int RedOf(Colour c) { return static_cast<int>(c & 0xFFu); }
inline int GreenOf(Colour c) { return static_cast<int>((c >> 8) & 0xFFu); }
inline int BlueOf(Colour c) { return static_cast<int>((c >> 16) & 0xFFu); }
inline Colour MakeColour(int red, int green, int blue)
{
    return static_cast<Colour>(red & 0xFF) | (static_cast<Colour>(green & 0xFF) << 8) |
           (static_cast<Colour>(blue & 0xFF) << 16);
}

struct ScreenPoint {
    int x;
    int y;
};

// One pixel of the live screen, as the display shows it now: what the
// painter has drawn so far. MUST answer kNoPixel outside the screen.
Colour ReadScreenPixel(int x, int y);

// Copies the whole live screen into the frozen snapshot (what the overlay
// shows) and, when alsoSource is true, into the frozen source surface too.
// Later reads of either surface MUST see exactly this copy.
void FreezeScreen(bool alsoSource);

// One pixel of the frozen snapshot: the image the overlay shows, without
// the rubber band and label the overlay draws over it. kNoPixel outside
// the screen.
Colour ReadSnapshotPixel(int x, int y);

// One pixel of the frozen source surface; kNoPixel outside the screen.
Colour ReadSourcePixel(int x, int y);

// The rectangle of the frozen source surface with its top-left corner at
// (left, top), width x height pixels, row after row into out, which holds
// width * height colours. Pixels outside the screen read kNoPixel. Returns
// false when the surface cannot be read at all; out is then unspecified.
bool ReadSourceBlock(int left, int top, int width, int height, Colour* out);

// Moves the cursor to an absolute point. The move MAY be reported only some
// time later, as real systems do.
void SetCursorPosition(int x, int y);

// The cursor as the system reports it now, unfiltered: until the system has
// taken the last move it MAY answer the point before it, or any earlier
// one. The front end MUST NOT correct the report: the cursor sync waits on
// it for the move to arrive.
ScreenPoint ReadSystemCursorPosition();

// The cursor as the program takes it when it looks for the user's hand: the
// system's report, except that a front end whose system echoes the
// program's own earlier moves back late MUST answer the last point placed
// for such an echo (app/cursor_placement.h says how it is told). A point
// the program never placed the cursor at MUST come through unchanged.
ScreenPoint ReadCursorPosition();

// A left-button press or release at the cursor, delivered to the window
// under it. The front end MUST deliver it at the point last given to
// SetCursorPosition (where the cursor stands once the move has taken), even
// on a system that takes cursor moves late.
void PressLeftButton();
void ReleaseLeftButton();

// Milliseconds, wrapping at 2^32: take differences as unsigned 32-bit values.
std::uint32_t ReadTickCount();
void SleepMilliseconds(std::uint32_t milliseconds);

// Shows the completion report: a modal box owned by the control window,
// topmost, with one OK button and no icon. Both texts are code page 932.
// Returns when the user has closed it.
void ShowCompletionBox(const char* text, const char* title);
