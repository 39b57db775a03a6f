#!/usr/bin/env bash
# An end-to-end scenario on a desktop of two monitors:
#
#   monitors_test.sh SCENARIO BUILD_DIR WORK_DIR
#
# Starts an X server of its own with the two monitors (scripts/lib/
# xorg-monitors.sh), runs e2e_test.sh SCENARIO on it through scripts/wine-run
# without a Wine virtual desktop, so that Wine sees both monitors, and stops
# the server. The primary, 1280x800, stands at the X origin and the second,
# 1024x768, right of it: Wine 8 does not map negative Windows coordinates
# back to X, so a monitor left of or above the primary cannot be tried here.
set -u
readonly HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
readonly SOURCE_DIR="$(cd "$HERE/../../.." && pwd)"
source "$SOURCE_DIR/scripts/lib/xorg-monitors.sh"

[ $# -eq 3 ] || { echo "usage: monitors_test.sh SCENARIO BUILD_DIR WORK_DIR" >&2; exit 2; }
readonly LAYOUT="1280x800+0+0 1024x768+1280+0"

mkdir -p "$3"
trap stop_monitors_xorg EXIT
# shellcheck disable=SC2086
start_monitors_xorg "$3/xorg" $LAYOUT || exit 1
VELLIPA_DISPLAY="$MONITORS_DISPLAY" VELLIPA_WINE_DESKTOP=off VELLIPA_MONITORS="$LAYOUT" \
    "$SOURCE_DIR/scripts/wine-run" "$HERE/e2e_test.sh" "$@"
