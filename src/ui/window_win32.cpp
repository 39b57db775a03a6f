/*
 * The control window's procedure: a short switch on the message that calls
 * one handler per message. Closing the window ends the program through the
 * quit message; the default procedure destroys the window on its close box.
 */
#include "ui/window_win32.h"

static LRESULT OnDestroy()
{
    PostQuitMessage(0);
    return 0;
}

LRESULT CALLBACK ControlWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DESTROY:
        return OnDestroy();
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
