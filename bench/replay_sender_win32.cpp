/*
 * replay-sender: the trace benchmark's measure of the rig's limit. It
 * replays a list of slider clicks and strokes into the painter as fast as
 * the system takes them, injected as vellipa.exe injects them (a cursor move
 * by SetCursorPos, a button event carrying the point it is meant for, the
 * cursor held within the screen less its right column), with no sync, no
 * poll and no check of any kind.
 *
 *   replay-sender FILE
 *
 * FILE holds one action a line, in screen pixels:
 *   click X Y        move to (X, Y), press, release
 *   stroke X Y X1    move to (X, Y), press, move to (X1, Y) unless X1 = X,
 *                    release
 * Prints start_tick= (GetTickCount before the first input), end_tick= (after
 * the last) and actions=, and exits 0; 2 when FILE cannot be read or holds
 * a line it does not understand.
 */
#include <windows.h>

#include <cstdio>
#include <vector>

#include "app/absolute_input_win32.h"

namespace {

struct Action {
    int x;
    int y;
    int x1;
    bool click;
};

bool ReadActions(const char* path, std::vector<Action>& actions)
{
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr)
        return false;
    char line[128];
    bool understood = true;
    while (understood && std::fgets(line, sizeof line, file) != nullptr) {
        Action a = {0, 0, 0, false};
        if (std::sscanf(line, "click %d %d", &a.x, &a.y) == 2) {
            a.click = true;
            a.x1 = a.x;
        } else if (std::sscanf(line, "stroke %d %d %d", &a.x, &a.y, &a.x1) != 3) {
            understood = line[0] == '\n' || line[0] == '\r';
            continue;
        }
        actions.push_back(a);
    }
    std::fclose(file);
    return understood;
}

void Button(DWORD flag, int x, int y)
{
    SendAbsoluteMouse(x, y, flag);
}

void Replay(const Action& a)
{
    SetCursorPos(a.x, a.y);
    Button(MOUSEEVENTF_LEFTDOWN, a.x, a.y);
    if (!a.click && a.x1 != a.x)
        SetCursorPos(a.x1, a.y);
    Button(MOUSEEVENTF_LEFTUP, a.x1, a.y);
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<Action> actions;
    if (argc != 2 || !ReadActions(argv[1], actions)) {
        std::fprintf(stderr, "usage: replay-sender FILE (lines: click X Y | stroke X Y X1)\n");
        return 2;
    }
    const RECT hold = {0, 0, GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN)};
    // Under Wine a thread holds the cursor only once it has met the display,
    // which its first cursor move does.
    if (!actions.empty())
        SetCursorPos(actions.front().x, actions.front().y);
    ClipCursor(&hold);
    const DWORD start = GetTickCount();
    for (const Action& a : actions)
        Replay(a);
    const DWORD end = GetTickCount();
    ClipCursor(nullptr);
    std::printf("start_tick=%lu\nend_tick=%lu\nactions=%u\n", static_cast<unsigned long>(start),
                static_cast<unsigned long>(end), static_cast<unsigned>(actions.size()));
    return 0;
}
