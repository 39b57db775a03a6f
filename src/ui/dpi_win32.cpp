/*
 * The window's DPI and the panel frame's size at a DPI, from the newest
 * functions the system has.
 */
#include "ui/dpi_win32.h"

namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

const DWORD kPanelStyle = WS_CAPTION | WS_SYSMENU;

// A function of user32 by name, or null where this system lacks it.
template <typename Function>
Function User32Function(const char* name)
{
    HMODULE user32 = GetModuleHandleA("user32.dll");
    FARPROC found = user32 ? GetProcAddress(user32, name) : nullptr;
    // Through the generic function pointer type, which converts to any other.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

int ScreenDpi()
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kBaseDpi;
}

// Without AdjustWindowRectExForDpi the frame comes at the system's own
// DPI, whatever dpi asks.
PanelFrame PanelFrameAt(int dpi)
{
    static const auto adjustForDpi =
        User32Function<AdjustWindowRectExForDpiFunction>("AdjustWindowRectExForDpi");
    RECT outer = {0, 0, 0, 0};
    if (adjustForDpi)
        adjustForDpi(&outer, kPanelStyle, FALSE, 0, static_cast<UINT>(dpi));
    else
        AdjustWindowRectEx(&outer, kPanelStyle, FALSE, 0);
    return PanelFrame{-outer.left, -outer.top, outer.right, outer.bottom};
}

}  // namespace

int WindowDpi(HWND window)
{
    static const auto getDpiForWindow = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    const int dpi = getDpiForWindow ? static_cast<int>(getDpiForWindow(window)) : 0;
    return dpi > 0 ? dpi : ScreenDpi();
}

PanelLayout PanelLayoutAt(int dpi)
{
    return LayOutPanel(dpi, PanelFrameAt(kBaseDpi), PanelFrameAt(dpi));
}
