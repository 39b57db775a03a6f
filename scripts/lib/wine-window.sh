# Steps on one Windows program's top-level window, for scripts that run
# inside scripts/wine-run (which exports WINEPREFIX, DISPLAY and `wine`).
# Source this file; the window helper is tests/wine/window_tool_win32.cpp,
# built as window-tool.exe in the Windows build.
#
#   start_program EXE [ARGS...]     starts it in the background; PROGRAM_PID
#   find_window TOOL TITLE MS       waits for the window; sets WINDOW_LEFT,
#                                   WINDOW_TOP, WINDOW_WIDTH, WINDOW_HEIGHT,
#                                   WINDOW_STYLE (a number), WINDOW_CLASS
#   screenshot_window FILE          copies the window's screen rectangle
#   close_window TOOL TITLE         asks the window to close, as its close box
#   wait_for_exit SECONDS           waits for the program; sets PROGRAM_EXIT
#   wait_pid PID SECONDS            the same for any program started in the background
#   end_everything                  ends this prefix's Windows processes
# Each returns non-zero, after a message on stderr, when its step failed.

start_program() {
    wine "$@" &
    PROGRAM_PID=$!
}

find_window() {
    local tool="$1" title="$2" timeout_ms="$3" found style
    # Console output from Windows programs ends its lines with CR LF.
    found="$(wine "$tool" find "$title" "$timeout_ms" | tr -d '\r')"
    read -r WINDOW_LEFT WINDOW_TOP WINDOW_WIDTH WINDOW_HEIGHT style WINDOW_CLASS <<<"$found"
    if [ -z "${WINDOW_CLASS:-}" ]; then
        echo "no window \"$title\" appeared within $timeout_ms ms" >&2
        return 1
    fi
    WINDOW_STYLE=$((16#$style))
}

# Screen coordinates are those of the Wine desktop, which is a window of its
# own on the X display (on a private Xvfb it covers the whole screen).
screenshot_window() {
    local file="$1" desktop
    mkdir -p "$(dirname "$file")"
    desktop="$(xdotool search --name ' - Wine desktop$' 2>/dev/null | head -n 1)"
    import -display "$DISPLAY" -window "${desktop:-root}" \
        -crop "${WINDOW_WIDTH}x${WINDOW_HEIGHT}+${WINDOW_LEFT}+${WINDOW_TOP}" +repage "$file" \
        || { echo "no screenshot taken" >&2; return 1; }
}

close_window() {
    wine "$1" close "$2" || { echo "could not ask \"$2\" to close" >&2; return 1; }
}

# wait_pid PID SECONDS: waits for a program started in the background;
# sets WAITED_EXIT to its exit code, or fails when it is still running.
wait_pid() {
    local i
    for ((i = 0; i < $2 * 10; i++)); do
        kill -0 "$1" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$1" 2>/dev/null; then
        echo "a program is still running $2 s after it was asked to close" >&2
        return 1
    fi
    wait "$1"
    WAITED_EXIT=$?
}

wait_for_exit() {
    wait_pid "$PROGRAM_PID" "$1" || return 1
    PROGRAM_EXIT=$WAITED_EXIT
}

# The prefix belongs to this run alone (scripts/wine-run holds its lock), so
# ending its Wine server ends only what this run started.
end_everything() {
    wineserver -k 2>/dev/null
}
