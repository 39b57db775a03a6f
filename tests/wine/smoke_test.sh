#!/usr/bin/env bash
# Smoke test of vellipa.exe under Wine, run inside scripts/wine-run:
#
#   smoke_test.sh VELLIPA_EXE WINDOW_TOOL_EXE SCREENSHOT_PNG
#
# Starts the program, waits for its window, checks what the window is (class,
# outer size, caption with close box and no sizing), takes a screenshot of it,
# closes it through its close box's command as a user would, and checks that
# the program then ends with exit code 0.
set -u
GIVE_UP_CLEANUP=end_everything
source "$(dirname "${BASH_SOURCE[0]}")/checks.sh"
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/wine-window.sh"

readonly TITLE="Vellipa phase 14"
readonly CLASS="Vellipa class"
readonly WIDTH=430 HEIGHT=220
readonly WS_CAPTION=0x00C00000 WS_SYSMENU=0x00080000
readonly WS_THICKFRAME=0x00040000 WS_MINIMIZEBOX=0x00020000 WS_MAXIMIZEBOX=0x00010000

[ $# -eq 3 ] || { echo "usage: smoke_test.sh VELLIPA_EXE WINDOW_TOOL_EXE SCREENSHOT_PNG" >&2; exit 2; }
program="$1" tool="$2" screenshot="$3"
start_program "$program"
find_window "$tool" "$TITLE" 30000 || give_up "the program shows no window"
echo "window: ${WINDOW_WIDTH}x${WINDOW_HEIGHT} at ($WINDOW_LEFT,$WINDOW_TOP)," \
    "style $(printf '0x%08x' "$WINDOW_STYLE"), class \"$WINDOW_CLASS\""

[ "$WINDOW_CLASS" = "$CLASS" ] || fail "window class is \"$WINDOW_CLASS\", not \"$CLASS\""
[ "$WINDOW_WIDTH" -eq "$WIDTH" ] && [ "$WINDOW_HEIGHT" -eq "$HEIGHT" ] \
    || fail "outer size is ${WINDOW_WIDTH}x${WINDOW_HEIGHT}, not ${WIDTH}x${HEIGHT}"
(( (WINDOW_STYLE & WS_CAPTION) == WS_CAPTION )) || fail "no caption"
(( WINDOW_STYLE & WS_SYSMENU )) || fail "no system menu and close box"
(( (WINDOW_STYLE & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) == 0 )) \
    || fail "sizing border, minimise or maximise box present"

sleep 1   # let the first paint reach the screen
if screenshot_window "$screenshot"; then
    echo "screenshot: $screenshot"
    size="$(identify -format '%wx%h' "$screenshot")"
    [ "$size" = "${WINDOW_WIDTH}x${WINDOW_HEIGHT}" ] \
        || fail "screenshot is $size, not ${WINDOW_WIDTH}x${WINDOW_HEIGHT}"
    colours="$(identify -format '%k' "$screenshot")"
    [ "$colours" -gt 2 ] || fail "screenshot shows only $colours colours: nothing was drawn"
else
    fail "no screenshot"
fi

close_window "$tool" "$TITLE" || give_up "cannot close the window"
wait_for_exit 15 || give_up "the program did not end after its window was closed"
[ "$PROGRAM_EXIT" -eq 0 ] || fail "exit code $PROGRAM_EXIT, not 0"

end_checks "smoke test passed"
