/*
 * A small Win32 helper that the Wine tests run beside the program under test,
 * to see and handle its top-level window the way a user or a test driver on
 * a real desktop would:
 *
 *   window-tool find TITLE TIMEOUT_MS
 *       waits until a visible top-level window with exactly this title
 *       exists, then prints one line
 *           left top width height style-hex class-name
 *       (the outer rectangle in screen pixels) and exits 0; exits 1 when no
 *       such window appeared in time.
 *   window-tool close TITLE
 *       asks the window to close as its close box does (WM_SYSCOMMAND with
 *       SC_CLOSE); exits 0 when the request was delivered, 1 when there is
 *       no such window.
 *   window-tool monitors
 *       prints the virtual screen as "virtual left top width height" (the
 *       SM_*VIRTUALSCREEN metrics), then one line per monitor as
 *       "monitor left top width height", in the system's order; exits 0.
 *
 * Exit code 2 means the command line was not understood.
 */
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const DWORD PollIntervalMs = 50;

HWND FindVisibleWindow(const char* title)
{
    HWND window = FindWindowA(nullptr, title);
    if (window != nullptr && IsWindowVisible(window))
        return window;
    return nullptr;
}

HWND WaitForWindow(const char* title, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        HWND window = FindVisibleWindow(title);
        if (window != nullptr)
            return window;
        if (GetTickCount() - start >= timeoutMs)
            return nullptr;
        Sleep(PollIntervalMs);
    }
}

int FindCommand(const char* title, DWORD timeoutMs)
{
    HWND window = WaitForWindow(title, timeoutMs);
    if (window == nullptr) {
        std::fprintf(stderr, "window-tool: no window \"%s\" within %lu ms\n", title,
                     static_cast<unsigned long>(timeoutMs));
        return 1;
    }
    RECT outer;
    GetWindowRect(window, &outer);
    char className[256] = "";
    GetClassNameA(window, className, sizeof className);
    const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
    std::printf("%ld %ld %ld %ld %08lx %s\n", outer.left, outer.top, outer.right - outer.left,
                outer.bottom - outer.top, static_cast<unsigned long>(style), className);
    return 0;
}

int CloseCommand(const char* title)
{
    HWND window = FindVisibleWindow(title);
    if (window == nullptr) {
        std::fprintf(stderr, "window-tool: no window \"%s\" to close\n", title);
        return 1;
    }
    return PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0) ? 0 : 1;
}

BOOL CALLBACK PrintMonitor(HMONITOR, HDC, LPRECT area, LPARAM)
{
    std::printf("monitor %ld %ld %ld %ld\n", area->left, area->top, area->right - area->left,
                area->bottom - area->top);
    return TRUE;
}

int MonitorsCommand()
{
    std::printf("virtual %d %d %d %d\n", GetSystemMetrics(SM_XVIRTUALSCREEN),
                GetSystemMetrics(SM_YVIRTUALSCREEN), GetSystemMetrics(SM_CXVIRTUALSCREEN),
                GetSystemMetrics(SM_CYVIRTUALSCREEN));
    EnumDisplayMonitors(nullptr, nullptr, PrintMonitor, 0);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::strcmp(argv[1], "find") == 0)
        return FindCommand(argv[2], static_cast<DWORD>(std::strtoul(argv[3], nullptr, 10)));
    if (argc == 3 && std::strcmp(argv[1], "close") == 0)
        return CloseCommand(argv[2]);
    if (argc == 2 && std::strcmp(argv[1], "monitors") == 0)
        return MonitorsCommand();
    std::fprintf(stderr, "usage: window-tool find TITLE TIMEOUT_MS | close TITLE | monitors\n");
    return 2;
}
