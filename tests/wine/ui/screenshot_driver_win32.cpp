/*
 * Drives a running vellipa.exe into the two views shown in the README and
 * photographs them from the screen: the panel after start-up, and the
 * overlay during a source drag, with its rubber band and label.
 *
 *   screenshot-driver PANEL_BMP OVERLAY_BMP ANCHOR_X ANCHOR_Y CURSOR_X CURSOR_Y
 *
 * The drag is left unfinished (the pick is then cancelled with the right
 * button), so the program is left as it started. Exit code 0 when both
 * pictures were written, 1 otherwise.
 */
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

const char kWindowClass[] = "Vellipa class";
const int kSourceRegionButton = 1000;

bool WriteScreenBmp(const char* path, const RECT& area)
{
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    HDC screen = GetDC(nullptr);
    HDC copy = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ kept = SelectObject(copy, bitmap);
    BitBlt(copy, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    SelectObject(copy, kept);

    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;  // bottom-up, as BMP files store rows
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const int stride = (width * 3 + 3) & ~3;
    std::vector<unsigned char> rows(static_cast<size_t>(stride) * height);
    GetDIBits(copy, bitmap, 0, height, rows.data(), reinterpret_cast<BITMAPINFO*>(&header),
              DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(copy);
    ReleaseDC(nullptr, screen);

    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(rows.size());
    FILE* out = std::fopen(path, "wb");
    if (!out)
        return false;
    const bool written = std::fwrite(&file, sizeof file, 1, out) == 1 &&
                         std::fwrite(&header, sizeof header, 1, out) == 1 &&
                         std::fwrite(rows.data(), rows.size(), 1, out) == 1;
    return std::fclose(out) == 0 && written;
}

// Moves the cursor and waits until it has stayed there a while: under Wine
// an older pointer position can still arrive after a warp.
void MoveCursorTo(int x, int y)
{
    for (int attempt = 0; attempt < 20; ++attempt) {
        SetCursorPos(x, y);
        Sleep(60);
        POINT at = {0, 0};
        GetCursorPos(&at);
        if (at.x == x && at.y == y)
            break;
    }
    mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0);
    Sleep(30);
}

bool WaitFor(bool (*done)(HWND), HWND window, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (!done(window)) {
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Sleep(50);
    }
    return true;
}

bool CoversTheScreen(HWND window)
{
    RECT r = {0, 0, 0, 0};
    GetWindowRect(window, &r);
    return r.left == 0 && r.top == 0 && r.right == GetSystemMetrics(SM_CXSCREEN);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 7) {
        std::fprintf(stderr, "usage: screenshot-driver PANEL_BMP OVERLAY_BMP AX AY CX CY\n");
        return 2;
    }
    const int anchorX = std::atoi(argv[3]), anchorY = std::atoi(argv[4]);
    const int cursorX = std::atoi(argv[5]), cursorY = std::atoi(argv[6]);

    HWND window = nullptr;
    for (int i = 0; i < 300 && !(window = FindWindowA(kWindowClass, nullptr)); ++i)
        Sleep(100);
    if (!window) {
        std::fprintf(stderr, "screenshot-driver: no control window\n");
        return 1;
    }
    Sleep(1000);
    RECT panel = {0, 0, 0, 0};
    GetWindowRect(window, &panel);
    if (!WriteScreenBmp(argv[1], panel))
        return 1;

    RECT button = {0, 0, 0, 0};
    GetWindowRect(GetDlgItem(window, kSourceRegionButton), &button);
    MoveCursorTo((button.left + button.right) / 2, (button.top + button.bottom) / 2);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    Sleep(100);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    if (!WaitFor(CoversTheScreen, window, 5000)) {
        std::fprintf(stderr, "screenshot-driver: the overlay did not appear\n");
        return 1;
    }
    Sleep(300);
    MoveCursorTo(anchorX, anchorY);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    Sleep(100);
    // A few steps on the way, as a hand would move.
    for (int step = 1; step <= 4; ++step)
        MoveCursorTo(anchorX + (cursorX - anchorX) * step / 4, anchorY + (cursorY - anchorY) * step / 4);
    Sleep(500);
    const RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    const bool written = WriteScreenBmp(argv[2], screen);

    mouse_event(MOUSEEVENTF_RIGHTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_RIGHTUP, 0, 0, 0, 0);
    Sleep(200);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    return written ? 0 : 1;
}
