#!/usr/bin/env bash
# The demo's session inside scripts/wine-run:
#
#   demo-session.sh VELLIPA_EXE WINDOW_TOOL_EXE SCREENSHOT_PNG live|private
#
# Starts vellipa.exe, waits for its window and saves a screenshot of it. On a
# live display it then leaves the program to the user and waits until they
# close it; on a private display nobody can, so it closes the window itself.
set -u
source "$(dirname "${BASH_SOURCE[0]}")/wine-window.sh"

readonly TITLE="Vellipa phase 14"
program="$1" tool="$2" screenshot="$3" display_kind="$4"

start_program "$program"
find_window "$tool" "$TITLE" 30000 || { end_everything; exit 1; }
sleep 1   # let the first paint reach the screen
screenshot_window "$screenshot" && echo "screenshot of the window: $screenshot"

if [ "$display_kind" = live ]; then
    echo "\"$TITLE\" is open on $DISPLAY; close it to end the demo."
    wait "$PROGRAM_PID"
    PROGRAM_EXIT=$?
else
    close_window "$tool" "$TITLE" && wait_for_exit 15 || { end_everything; exit 1; }
fi
echo "vellipa.exe ended with exit code $PROGRAM_EXIT"
exit "$PROGRAM_EXIT"
