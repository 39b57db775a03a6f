#!/usr/bin/env bash
# The stand-in painter under Wine, run inside scripts/wine-run:
#
#   painter_test.sh PAINTER_EXE WINDOW_TOOL_EXE WORK_DIR
#
# Two runs, each driven by synthetic mouse input through xdotool as Vellipa
# would drive it: slider clicks at chosen offsets, then drags on the canvas.
#   1. The default painter (release pixel not painted): the screen shows the
#      bars and the sample picture where the geometry report says; the
#      canvas written at close holds exactly the strokes.
#   2. An end-including, slow painter (--paint-release, an event delay and
#      a paint lag): a stroke is not on the screen right after the release
#      but is a while later, and the canvas holds the strokes with their
#      release pixels.
# Each run closes the window as its close box does and expects exit code 0.
set -u
GIVE_UP_CLEANUP=end_everything
source "$(dirname "${BASH_SOURCE[0]}")/../checks.sh"
readonly HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$HERE/../../../scripts/lib/wine-window.sh"

readonly TITLE="Stand-in Painter"
readonly CHECK="$HERE/painter_check.py"

[ $# -eq 3 ] || { echo "usage: painter_test.sh PAINTER_EXE WINDOW_TOOL_EXE WORK_DIR" >&2; exit 2; }
painter="$1" tool="$2" work="$3"
# Reads the geometry report into G_<key> variables (rectangles as L T R B).
read_geometry() {
    local key value
    while IFS='=' read -r key value; do
        value="${value%$'\r'}"
        printf -v "G_$key" '%s' "${value//,/ }"
    done <"$1"
}

# Starts the painter with the given options and waits for its report.
start_painter() {
    local geometry="$1" i
    shift
    rm -f "$geometry"
    start_program "$painter" --geometry-out="$(winepath -w "$geometry")" "$@"
    find_window "$tool" "$TITLE" 30000 || give_up "the painter shows no window"
    for ((i = 0; i < 100; i++)); do
        grep -q '^ready=1' "$geometry" 2>/dev/null && break
        sleep 0.1
    done
    grep -q '^ready=1' "$geometry" 2>/dev/null || give_up "no geometry report in $geometry"
    read_geometry "$geometry"
    sleep 1   # let the first paint reach the screen
}

# click_bar BAR_RECT OFFSET: a press and release at that offset from the
# bar's first column, on the bar's fifth row (where Vellipa clicks).
click_bar() {
    local left top right bottom
    read -r left top right bottom <<<"$1"
    xdotool mousemove "$((left + $2))" "$((top + 4))" click 1
}

# drag X0 Y0 X1 Y1, canvas coordinates.
drag() {
    local left top right bottom
    read -r left top right bottom <<<"$G_canvas"
    xdotool mousemove "$((left + $1))" "$((top + $2))" mousedown 1 \
        mousemove "$((left + $3))" "$((top + $4))" mouseup 1
}

close_painter() {
    close_window "$tool" "$TITLE" || give_up "cannot close the painter"
    wait_for_exit 15 || give_up "the painter did not end after its window was closed"
    [ "$PROGRAM_EXIT" -eq 0 ] || fail "exit code $PROGRAM_EXIT, not 0"
}

check_canvas() {
    python3 "$CHECK" canvas "$1" "$2" "$3" "$4" || fail "canvas $1 is not as painted"
}

mkdir -p "$work"
rm -f "$work"/*.ppm "$work"/*.png

# --- 1. the default painter ---------------------------------------------
start_painter "$work/geometry1.txt" --pos=300,60 --canvas-size=160x100 \
    --canvas-out="$(winepath -w "$work/canvas1.ppm")" \
    --sample-out="$(winepath -w "$work/sample.ppm")"
import -display "$DISPLAY" -window root "$work/screen1.png" || fail "no screenshot"
python3 "$CHECK" screen "$work/screen1.png" "$work/geometry1.txt" "$work/sample.ppm" \
    || fail "the screen does not show the bars and the sample as reported"

click_bar "$G_red_bar" 200
click_bar "$G_green_bar" 0
click_bar "$G_blue_bar" 255       # one column past the bar: full blue
drag 10 5 60 5                    # paints columns 10..59
drag 30 9 5 9                     # right to left: paints 6..30
click_bar "$G_red_bar" -1         # left of the bar: no red
click_bar "$G_green_bar" 128
drag 70 20 70 20                  # a press and release on one pixel
drag 0 99 159 99                  # the last row but its last pixel
click_bar "$G_blue_bar" 7
drag 100 30 120 40                # across rows: a slanted line of 20 pixels
sleep 0.5
import -display "$DISPLAY" -window root "$work/screen1-painted.png"
close_painter
cat >"$work/strokes1.txt" <<'STROKES'
10 59 5 200 0 255
6 30 9 200 0 255
70 70 20 0 128 255
0 158 99 0 128 255
line 100 30 120 40 0 128 7 20 0
STROKES
check_canvas "$work/canvas1.ppm" 160 100 "$work/strokes1.txt"

# --- 2. an end-including painter that lags -------------------------------
start_painter "$work/geometry2.txt" --pos=120,200 --canvas-size=80x40 --paint-release \
    --event-delay=20 --paint-lag=1500 --bar-width=100 \
    --canvas-out="$(winepath -w "$work/canvas2.ppm")"
[ "$G_bar_width" = 100 ] && [ "$G_paint_release" = 1 ] || fail "the report does not echo the options"
click_bar "$G_red_bar" 50         # round(50 * 255 / 100) = 128
click_bar "$G_green_bar" 100      # 255
click_bar "$G_blue_bar" 1         # round(2.55) = 3
drag 3 4 40 4
read -r canvas_left canvas_top _ <<<"$G_canvas"
sleep 0.3
import -display "$DISPLAY" -window root "$work/screen2-early.png"
early="$(python3 "$CHECK" pixel "$work/screen2-early.png" $((canvas_left + 20)) $((canvas_top + 4)))"
sleep 2.5
import -display "$DISPLAY" -window root "$work/screen2-late.png"
late="$(python3 "$CHECK" pixel "$work/screen2-late.png" $((canvas_left + 40)) $((canvas_top + 4)))"
[ "$early" = "255 255 255" ] || fail "the lagging stroke showed at once ($early)"
[ "$late" = "128 255 3" ] || fail "the lagging stroke did not show in time ($late)"
drag 79 39 70 39                  # drawn at close, before the lag has passed
# Posted messages overtake queued input, so the close waits until the slow
# painter has taken the drag.
sleep 0.5
close_painter
cat >"$work/strokes2.txt" <<'STROKES'
3 40 4 128 255 3
70 79 39 128 255 3
STROKES
check_canvas "$work/canvas2.ppm" 80 40 "$work/strokes2.txt"

end_checks "painter test passed"
