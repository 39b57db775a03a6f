# One copy of the stand-in painter's sample picture by vellipa.exe, step by
# step, for scripts that run inside scripts/wine-run (the end-to-end tests,
# scripts/demo and bench/trace-bench). Source this file, then:
#
#   copy_session_init BUILD_DIR WORK_DIR   the Windows build tree and a
#                                          folder for this run's files
#   start_painter [OPTIONS...]             the stand-in painter, writing its
#                                          geometry, sample, event log and
#                                          (at close) canvas into WORK_DIR;
#                                          sets G_<key> from its geometry
#   start_vellipa                          vellipa.exe
#   copy_steps DX DY                       sets COPY_STEPS: the driver steps
#                                          of the three picks, the copy's
#                                          top-left at canvas pixel (DX,DY)
#   drive STEP...                          runs e2e-driver with these steps;
#                                          sets D_<key> from its report
#   close_painter / close_vellipa          close the window as its close box
#                                          does and wait; sets PAINTER_EXIT
#                                          or VELLIPA_EXIT
#   check_canvas DX DY exact|mapped        canvas-check on the written canvas;
#                                          sets C_<key> from its report
#   count_events KIND                      painter events of a kind so far
#                                          (click, stroke, press)
#   last_event_tick                        the tick of the painter's last event
#   wait_painter_quiet MS                  until no painter event for MS ms
#   screenshot_painter FILE                the painter's window as a PNG
#   screenshot_canvas                      the canvas as the screen shows it,
#                                          as WORK_DIR/canvas.ppm
#   end_session                            ends what is still running
# Each step returns non-zero, after a line on stderr, when it failed.
#
# VELLIPA_PAINTER_POS=X,Y places the painter elsewhere than its default
# (e.g. clear of a panel that a scaled display makes larger).
#
# The files in WORK_DIR: geometry.txt, sample.ppm, events.log, canvas.ppm,
# driver.txt (the driver's report), check.txt (canvas-check's).

source "$(dirname "${BASH_SOURCE[0]}")/wine-window.sh"

readonly PAINTER_TITLE="Stand-in Painter"
readonly VELLIPA_TITLE="Vellipa phase 14"

copy_session_init() {
    SESSION_BUILD="$1"
    SESSION_WORK="$2"
    VELLIPA_EXE="$SESSION_BUILD/vellipa.exe"
    PAINTER_EXE="$SESSION_BUILD/tools/standin_painter/standin-painter.exe"
    TOOL_EXE="$SESSION_BUILD/tests/wine/window-tool.exe"
    DRIVER_EXE="$SESSION_BUILD/tests/wine/e2e/e2e-driver.exe"
    CHECK_EXE="$SESSION_BUILD/tests/wine/e2e/canvas-check.exe"
    local exe
    for exe in "$VELLIPA_EXE" "$PAINTER_EXE" "$TOOL_EXE" "$DRIVER_EXE" "$CHECK_EXE"; do
        [ -f "$exe" ] || { echo "missing $exe (is the Windows build done?)" >&2; return 1; }
    done
    mkdir -p "$SESSION_WORK"
    rm -f "$SESSION_WORK"/*.txt "$SESSION_WORK"/*.ppm "$SESSION_WORK"/*.log
    PAINTER_PID="" VELLIPA_PID=""
}

session_file() {
    winepath -w "$SESSION_WORK/$1" 2>/dev/null
}

# read_report FILE PREFIX: key=value lines into PREFIX<key> variables
# (rectangles "L,T,R,B" become "L T R B").
read_report() {
    local key value
    while IFS='=' read -r key value; do
        key="${key%$'\r'}"
        value="${value%$'\r'}"
        [[ "$key" =~ ^[a-z_]+$ ]] || continue
        printf -v "$2$key" '%s' "${value//,/ }"
    done <"$1"
}

start_painter() {
    local geometry="$SESSION_WORK/geometry.txt" i
    rm -f "$geometry"
    wine "$PAINTER_EXE" --geometry-out="$(session_file geometry.txt)" \
        --sample-out="$(session_file sample.ppm)" --event-log="$(session_file events.log)" \
        --canvas-out="$(session_file canvas.ppm)" ${VELLIPA_PAINTER_POS:+--pos="$VELLIPA_PAINTER_POS"} \
        "$@" >/dev/null &
    PAINTER_PID=$!
    for ((i = 0; i < 300; i++)); do
        grep -q '^ready=1' "$geometry" 2>/dev/null && break
        kill -0 "$PAINTER_PID" 2>/dev/null || break
        sleep 0.1
    done
    grep -q '^ready=1' "$geometry" 2>/dev/null \
        || { echo "the stand-in painter reported no geometry" >&2; return 1; }
    read_report "$geometry" G_
}

start_vellipa() {
    wine "$VELLIPA_EXE" &
    VELLIPA_PID=$!
}

copy_steps() {
    local canvas_left canvas_top rest
    read -r canvas_left canvas_top rest <<<"$G_canvas"
    # shellcheck disable=SC2206
    COPY_STEPS=(pick-source $G_sample
                pick-dest $((canvas_left + $1)) $((canvas_top + $2))
                pick-palette $G_palette_drag)
}

drive() {
    local status
    unset "${!D_@}"
    wine "$DRIVER_EXE" "$@" >"$SESSION_WORK/driver.txt"
    status=$?
    read_report "$SESSION_WORK/driver.txt" D_
    return "$status"
}

# Posted messages overtake input the painter has not taken yet (it may be
# slow on purpose), so the close waits until its input has gone quiet.
close_painter() {
    sleep 0.5
    close_window "$TOOL_EXE" "$PAINTER_TITLE" || return 1
    wait_pid "$PAINTER_PID" 15 || return 1
    PAINTER_EXIT=$WAITED_EXIT
    PAINTER_PID=""
}

close_vellipa() {
    close_window "$TOOL_EXE" "$VELLIPA_TITLE" || return 1
    wait_pid "$VELLIPA_PID" 15 || return 1
    VELLIPA_EXIT=$WAITED_EXIT
    VELLIPA_PID=""
}

check_canvas() {
    local status
    unset "${!C_@}"
    wine "$CHECK_EXE" "$(session_file canvas.ppm)" "$(session_file sample.ppm)" "$@" \
        | tr -d '\r' >"$SESSION_WORK/check.txt"
    status=${PIPESTATUS[0]}
    read_report "$SESSION_WORK/check.txt" C_
    return "$status"
}

count_events() {
    awk -v kind="$1" '$2 == kind { n++ } END { print n + 0 }' "$SESSION_WORK/events.log" 2>/dev/null
}

# wait_painter_quiet MS: until the event log has not grown for MS ms (a
# slow painter works through its queued input long after the trace).
wait_painter_quiet() {
    local lines=-1 now
    while now="$(wc -l <"$SESSION_WORK/events.log" 2>/dev/null)" && [ "$now" != "$lines" ]; do
        lines="$now"
        sleep "$(awk -v ms="$1" 'BEGIN { print ms / 1000 }')"
    done
}

last_event_tick() {
    awk 'END { print $1 + 0 }' "$SESSION_WORK/events.log" 2>/dev/null
}

# screenshot_rect "L T R B" FILE: an inclusive screen rectangle, as a
# picture file of the type FILE's name ends in.
screenshot_rect() {
    local left top right bottom
    read -r left top right bottom <<<"$1"
    WINDOW_LEFT=$left WINDOW_TOP=$top
    WINDOW_WIDTH=$((right - left + 1)) WINDOW_HEIGHT=$((bottom - top + 1))
    screenshot_window "$2"
}

screenshot_painter() {
    screenshot_rect "$G_window" "$1"
}

# The canvas as the screen shows it now, into WORK_DIR/canvas.ppm, for
# check_canvas while the painter stays open.
screenshot_canvas() {
    screenshot_rect "$G_canvas" "$SESSION_WORK/screen-canvas.png" \
        && convert "$SESSION_WORK/screen-canvas.png" -depth 8 "ppm:$SESSION_WORK/canvas.ppm"
}

end_session() {
    end_everything
    PAINTER_PID="" VELLIPA_PID=""
}
