#!/usr/bin/env bash
# Smoke test of vellipa.exe under Wine, run inside scripts/wine-run:
#
#   smoke_test.sh VELLIPA_EXE WINDOW_TOOL_EXE SCREENSHOT_PNG
#
# Starts the program, waits for its window, checks what the window is (class,
# outer size, caption with close box and no sizing), takes a screenshot of it,
# closes it through its close box's command as a user would, and checks the
# program then ends with exit code 0.
set -u

readonly TITLE="Vellipa phase 14"
readonly CLASS="Vellipa class"
readonly WIDTH=430 HEIGHT=220
readonly WS_CAPTION=0x00C00000 WS_SYSMENU=0x00080000
readonly WS_THICKFRAME=0x00040000 WS_MINIMIZEBOX=0x00020000 WS_MAXIMIZEBOX=0x00010000
readonly START_TIMEOUT_MS=30000
readonly EXIT_TIMEOUT_S=15

[ $# -eq 3 ] || { echo "usage: smoke_test.sh VELLIPA_EXE WINDOW_TOOL_EXE SCREENSHOT_PNG" >&2; exit 2; }
program="$1" tool="$2" screenshot="$3"
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# Ends what is left of the program when the test cannot go on; the prefix is
# this run's alone (scripts/wine-run holds its lock).
give_up() {
    echo "FAIL: $*" >&2
    wineserver -k 2>/dev/null
    exit 1
}

wine "$program" &
program_pid=$!

# Console output from Windows programs ends its lines with CR LF.
found="$(wine "$tool" find "$TITLE" "$START_TIMEOUT_MS" | tr -d '\r')"
read -r left top width height style class <<<"$found"
[ -n "${class:-}" ] || give_up "no window \"$TITLE\" appeared"
echo "window: ${width}x${height} at ($left,$top), style 0x$style, class \"$class\""

[ "$class" = "$CLASS" ] || fail "window class is \"$class\", not \"$CLASS\""
[ "$width" -eq "$WIDTH" ] && [ "$height" -eq "$HEIGHT" ] \
    || fail "outer size is ${width}x${height}, not ${WIDTH}x${HEIGHT}"
style=$((16#$style))
(( (style & WS_CAPTION) == WS_CAPTION )) || fail "no caption"
(( style & WS_SYSMENU )) || fail "no system menu and close box"
(( (style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) == 0 )) \
    || fail "sizing border, minimise or maximise box present"

# Let the first paint reach the screen, then copy the window's rectangle of
# the Wine desktop (screen coordinates are the desktop window's).
sleep 1
mkdir -p "$(dirname "$screenshot")"
desktop_window="$(xdotool search --name ' - Wine desktop$' 2>/dev/null | head -n 1)"
if import -display "$DISPLAY" -window "${desktop_window:-root}" \
        -crop "${width}x${height}+${left}+${top}" +repage "$screenshot"; then
    echo "screenshot: $screenshot"
    size="$(identify -format '%wx%h' "$screenshot")"
    [ "$size" = "${width}x${height}" ] || fail "screenshot is $size, not ${width}x${height}"
    colours="$(identify -format '%k' "$screenshot")"
    [ "$colours" -gt 2 ] || fail "screenshot shows only $colours colours: nothing was drawn"
else
    fail "no screenshot taken"
fi

wine "$tool" close "$TITLE" || give_up "could not ask the window to close"
for ((i = 0; i < EXIT_TIMEOUT_S * 10; i++)); do
    kill -0 "$program_pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$program_pid" 2>/dev/null && give_up "still running ${EXIT_TIMEOUT_S} s after the close"
wait "$program_pid"
exit_code=$?
[ "$exit_code" -eq 0 ] || fail "exit code $exit_code, not 0"

[ "$failures" -eq 0 ] || exit 1
echo "smoke test passed"
