#!/usr/bin/env bash
# One end-to-end scenario, run inside scripts/wine-run:
#
#   e2e_test.sh SCENARIO BUILD_DIR WORK_DIR
#
# vellipa.exe and the stand-in painter run side by side; e2e-driver makes
# the user's moves on the panel and the overlay. Scenarios:
#   copy-adjusted  the whole sample with "しぃペインター" and the sync options
#                  that make it reliable: the canvas equals the sample pixel
#                  for pixel, the completion box reads 処理時間 : …分…秒
#   copy-release   the whole sample without the adjustment, into a painter
#                  that paints a drag's release pixel: the canvas holds the
#                  colours the painter's sliders give for the quantised ones
#   copy-path      the whole sample with "しぃペインター" and no sync option into
#                  a lagging painter that paints along the pointer's path:
#                  exact, so no stale cursor move came into a drag
#   hand           every stroke synchronised on a lagging painter; from 2.5 s
#                  on the user moves the mouse about, far from the picture's
#                  rows: the trace stops, no box, no click or stroke follows
#   right-button   a right click on the panel during the trace: it stops, no
#                  box, nothing follows
#   close          the window closed during the trace: exit code 0
#   palette-edge   the painter's bars 4 columns from the screen's right edge
#                  and the palette drag ending on its last column, where the
#                  overlay's label flips into the rectangle over the blue
#                  bar: the sliders are found ("はじめ" enabled), the copy is
#                  exact
#   copy-edges     the painter's canvas crossing the screen's right and
#                  bottom edges, and the copy with it: the part on the
#                  screen is exact, nothing is painted beyond the edges,
#                  the box is shown
# On a desktop of two monitors (monitors_test.sh runs these on an X server
# of its own and gives its layout in VELLIPA_MONITORS, "WxH+X+Y ...", the
# primary first):
#   second-monitor   the copy-adjusted copy with the painter, its picture
#                    and its sliders on the second monitor
#   across-monitors  the picture on the primary (a second painter's
#                    sample) copied into a painter on the second monitor
#   copy-gap         the painter's canvas, and the copy with it, crossing
#                    the second monitor's bottom edge into the gap below it
#                    (the primary is taller): the part on the monitor is
#                    exact, nothing is painted in the gap
set -u
GIVE_UP_CLEANUP=end_session
source "$(dirname "${BASH_SOURCE[0]}")/../checks.sh"
readonly HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$HERE/../../../scripts/lib/copy-session.sh"

[ $# -eq 3 ] || { echo "usage: e2e_test.sh SCENARIO BUILD_DIR WORK_DIR" >&2; exit 2; }
scenario="$1"
copy_session_init "$2" "$3" || exit 1

# Where the copy goes on the canvas, away from its edges.
readonly DX=9 DY=7
# The hand rests this far below the canvas, far from every row it copies.
readonly HAND_BELOW=120

# The common start: both programs, the options, the three picks.
#   begin_copy "PAINTER OPTIONS" "DRIVER OPTION STEPS" [DX DY [PALETTE DRAG]]
# DX, DY and the palette drag "L T R B" are shell arithmetic, which may use
# the painter's rectangles split by split_rect (canvas_left, ...); they
# default to DX, DY and the painter's suggested drag.
begin_copy() {
    # shellcheck disable=SC2086
    start_painter $1 || give_up "the painter did not start"
    start_vellipa
    split_rect canvas "$G_canvas"
    split_rect palette_drag "$G_palette_drag"
    split_rect green_bar "$G_green_bar"
    COPY_DX=$((${3:-DX})) COPY_DY=$((${4:-DY}))
    copy_steps "$COPY_DX" "$COPY_DY"
    if [ -n "${5:-}" ]; then
        local drag
        read -r -a drag <<<"$5"
        COPY_STEPS=("${COPY_STEPS[@]:0:8}" pick-palette
                    $((drag[0])) $((drag[1])) $((drag[2])) $((drag[3])))
    fi
    PREPARE_STEPS=(panel $2 "${COPY_STEPS[@]}")
}

# split_rect NAME "L T R B": NAME_left, NAME_top, NAME_right, NAME_bottom.
split_rect() {
    read -r "$1_left" "$1_top" "$1_right" "$1_bottom" <<<"$2"
}

# The screen's size as Windows gives it: SCREEN_W, SCREEN_H.
measure_screen() {
    drive screen || give_up "the driver could not measure the screen"
    read -r SCREEN_W SCREEN_H <<<"$D_screen"
}

# The painter's option that puts its client area's top-left corner at
# (X, Y), for the frame its window style has under Wine (the geometry
# report shows where it really went).
readonly FRAME_X=3 FRAME_Y=22
painter_at() {
    echo "--pos=$(($1 - FRAME_X)),$(($2 - FRAME_Y))"
}

# within LOW VALUE HIGH WHAT: the painter lies as the scenario needs it;
# otherwise the scenario cannot show what it is for.
within() {
    [ "$1" -le "$2" ] && [ "$2" -le "$3" ] || give_up "$4 is $2, not within $1..$3"
}

# Both programs closed as a user closes them, each ending with exit code 0.
finish() {
    close_vellipa || give_up "vellipa.exe did not end"
    [ "$VELLIPA_EXIT" -eq 0 ] || fail "vellipa.exe ended with exit code $VELLIPA_EXIT"
    close_painter || give_up "the painter did not end"
    [ "$PAINTER_EXIT" -eq 0 ] || fail "the painter ended with exit code $PAINTER_EXIT"
}

report_copy() {
    echo "copied: $(count_events stroke) strokes, $(count_events click) clicks," \
        "${D_elapsed_ms:-?} ms to the box \"${D_box_text:-}\"," \
        "${C_matching_pixels:-?}/${C_total_pixels:-?} pixels as expected, ${C_stray_pixels:-?} stray"
}

# Strokes the painter took from right to left (canvas X1 < X0).
reversed_strokes() {
    awk '$2 == "stroke" && $5 < $3 { n++ } END { print n + 0 }' "$SESSION_WORK/events.log"
}

report_stop() {
    echo "stopped: $(count_events stroke) strokes, $(count_events click) clicks," \
        "${C_matching_pixels:-?}/${C_total_pixels:-?} pixels copied"
}

#   full_copy "PAINTER OPTIONS" "DRIVER OPTION STEPS" exact|mapped
#             [DX DY [PALETTE DRAG]]   as begin_copy takes them
# With ON_SCREEN set, the canvas's columns and rows on the screen ("W H",
# shell arithmetic as for begin_copy), only those are checked for the copy,
# and beyond them the canvas must have stayed white.
full_copy() {
    local painter_options="$1" option_steps="$2" mode="$3" on_screen=()
    begin_copy "$painter_options" "$option_steps" "${4:-}" "${5:-}" "${6:-}"
    drive "${PREPARE_STEPS[@]}" start box 150000 ok || fail "the copy did not end with the box"
    finish
    if [ -n "${ON_SCREEN:-}" ]; then
        read -r -a on_screen <<<"$ON_SCREEN"
        on_screen=($((on_screen[0])) $((on_screen[1])))
    fi
    check_canvas "$COPY_DX" "$COPY_DY" "$mode" "${on_screen[@]}" \
        || { cat "$SESSION_WORK/check.txt" >&2; give_up "the canvas is not the copy"; }
    report_copy
    [ "$(count_events press)" -eq 0 ] || fail "presses landed beside the bars and the canvas"
}

# The trace was running when the user acted (a stroke takes some 65 ms on
# the slow painter), stopped soon after, and then nothing more came.
expect_stopped() {
    local stop_tick="$1" what="$2" last before after
    last="$(last_event_tick)"
    [ "$(count_events stroke)" -gt 0 ] || fail "no stroke reached the painter"
    [ $((stop_tick - last)) -le 500 ] \
        || fail "the trace had stopped $((stop_tick - last)) ms before $what"
    [ $((last - stop_tick)) -le 1000 ] \
        || fail "the painter took input until $((last - stop_tick)) ms after $what"
    before="$(wc -l <"$SESSION_WORK/events.log")"
    sleep 1.5
    after="$(wc -l <"$SESSION_WORK/events.log")"
    [ "$before" -eq "$after" ] || fail "$((after - before)) more painter events later on"
}

# Every stroke synchronised on a painter that shows a stroke only 60 ms after
# its release, so the trace lasts long enough to be interfered with.
readonly SLOW_PAINTER="--paint-lag=60"
readonly EVERY_STROKE="option 1005 on option 1008 on wait-text 1"
readonly ADJUSTED="option 1005 on option 1006 on option 1007 on wait-text 1"

# The monitors Wine reports must be the layout's: "monitor L T W H" lines
# in the layout's order. Sets SECOND_LEFT, SECOND_TOP, SECOND_RIGHT and
# SECOND_BOTTOM (exclusive) to the second monitor's rectangle.
expect_monitors() {
    local reported expected="" monitor size position
    reported="$(wine "$TOOL_EXE" monitors | tr -d '\r')"
    echo "$reported"
    for monitor in ${VELLIPA_MONITORS:?the layout of the monitors}; do
        size="${monitor%%+*}"
        position="${monitor#*+}"
        expected+="monitor ${position/+/ } ${size/x/ }"$'\n'
    done
    [ "$(grep '^monitor' <<<"$reported")" = "${expected%$'\n'}" ] \
        || give_up "Wine does not report the monitors $VELLIPA_MONITORS"
    read -r _ SECOND_LEFT SECOND_TOP size <<<"$(sed -n 2p <<<"${expected}")"
    SECOND_RIGHT=$((SECOND_LEFT + ${size% *}))
    SECOND_BOTTOM=$((SECOND_TOP + ${size#* }))
    SECOND_MONITOR_PAINTER="--pos=$((SECOND_LEFT + 120)),$((SECOND_TOP + 40))"
}

# "L T R B" (inclusive) lies on the second monitor.
on_second_monitor() {
    local left top right bottom
    read -r left top right bottom <<<"$1"
    [ "$left" -ge "$SECOND_LEFT" ] && [ "$top" -ge "$SECOND_TOP" ] \
        && [ "$right" -lt "$SECOND_RIGHT" ] && [ "$bottom" -lt "$SECOND_BOTTOM" ]
}


# A second painter on the primary, whose sample is the picture to copy;
# sets P_<key> from its geometry.
start_picture_painter() {
    local geometry="$SESSION_WORK/picture-geometry.txt" i
    wine "$PAINTER_EXE" --pos=300,400 --geometry-out="$(session_file picture-geometry.txt)" \
        --sample-out="$(session_file picture-sample.ppm)" >/dev/null &
    PICTURE_PID=$!
    for ((i = 0; i < 300; i++)); do
        grep -q '^ready=1' "$geometry" 2>/dev/null && break
        sleep 0.1
    done
    grep -q '^ready=1' "$geometry" 2>/dev/null || give_up "the picture's painter reported no geometry"
    read_report "$geometry" P_
    ! on_second_monitor "$P_sample" || give_up "the picture $P_sample is not on the primary"
}

# Both painters share a title, so each close takes whichever is found; the
# next waits until one of them has gone.
close_two_painters() {
    local i
    sleep 0.5
    close_window "$TOOL_EXE" "$PAINTER_TITLE" || return 1
    for ((i = 0; i < 150; i++)); do
        kill -0 "$PAINTER_PID" 2>/dev/null && kill -0 "$PICTURE_PID" 2>/dev/null || break
        sleep 0.1
    done
    close_window "$TOOL_EXE" "$PAINTER_TITLE" || return 1
    wait_pid "$PAINTER_PID" 15 && PAINTER_EXIT=$WAITED_EXIT || return 1
    wait_pid "$PICTURE_PID" 15 || return 1
    [ "$WAITED_EXIT" -eq 0 ] || fail "the picture's painter ended with exit code $WAITED_EXIT"
    PAINTER_PID="" PICTURE_PID=""
}

case "$scenario" in
copy-adjusted)
    full_copy "" "$ADJUSTED" exact
    ;;
copy-path)
    full_copy "--event-delay=1 --paint-path" "option 1005 on wait-text 1" exact
    ;;
copy-release)
    full_copy "--paint-release" "option 1006 on option 1007 on wait-text 1" mapped
    ;;
hand)
    begin_copy "$SLOW_PAINTER" "$EVERY_STROKE"
    read -r canvas_left _ canvas_right canvas_bottom <<<"$G_canvas"
    drive "${PREPARE_STEPS[@]}" start \
        hand 2500 1500 $(((canvas_left + canvas_right) / 2)) $((canvas_bottom + HAND_BELOW)) \
        no-box 2000 || fail "the driver's steps failed"
    expect_stopped "${D_hand_first_tick:-0}" "the hand took the mouse"
    finish
    check_canvas "$DX" "$DY" exact && fail "the copy was finished all the same"
    report_stop
    ;;
right-button)
    begin_copy "$SLOW_PAINTER" "$EVERY_STROKE"
    drive "${PREPARE_STEPS[@]}" start sleep 1500 right-click 400 40 no-box 3000 \
        || fail "the driver's steps failed"
    expect_stopped "${D_right_click_tick:-0}" "the right click"
    finish
    check_canvas "$DX" "$DY" exact && fail "the copy was finished all the same"
    report_stop
    ;;
close)
    begin_copy "$SLOW_PAINTER" "$EVERY_STROKE"
    drive "${PREPARE_STEPS[@]}" start sleep 1500 close || fail "the driver's steps failed"
    wait_pid "$VELLIPA_PID" 15 || give_up "vellipa.exe did not end after its window was closed"
    [ "$WAITED_EXIT" -eq 0 ] || fail "vellipa.exe ended with exit code $WAITED_EXIT"
    VELLIPA_PID=""
    [ "$(count_events stroke)" -gt 0 ] || fail "no stroke reached the painter"
    close_painter || give_up "the painter did not end"
    ;;
palette-edge)
    measure_screen
    # Client column 274 is the bars' last (painter_layout.cpp).
    full_copy "$(painter_at $((SCREEN_W - 4 - 274)) 40)" "$ADJUSTED" exact "" "" \
        "palette_drag_left palette_drag_top SCREEN_W-1 palette_drag_bottom"
    within $((SCREEN_W - 12)) "$green_bar_right" $((SCREEN_W - 2)) "the bars' last column"
    echo "the bars end on column $green_bar_right, the palette drag on $((SCREEN_W - 1)):" \
        "sliders found"
    ;;
copy-edges)
    measure_screen
    # The copy's top-left 30 columns and 20 rows before the screen's edges:
    # 34 of its 64 columns and 28 of its 48 rows lie beyond them.
    ON_SCREEN="SCREEN_W-canvas_left SCREEN_H-canvas_top"
    full_copy "--canvas-size=260x160 $(painter_at $((SCREEN_W - 324)) $((SCREEN_H - 148)))" \
        "$ADJUSTED" exact "SCREEN_W-30-canvas_left" "SCREEN_H-20-canvas_top"
    within $((SCREEN_W + 1)) "$canvas_right" 5000 "the canvas's right column"
    within $((SCREEN_H + 1)) "$canvas_bottom" 5000 "the canvas's bottom row"
    echo "canvas $G_canvas on a ${SCREEN_W}x$SCREEN_H screen: ${C_offscreen_painted:-?} pixels" \
        "painted beyond its edges; $(reversed_strokes) strokes dragged right to left"
    ;;
second-monitor)
    expect_monitors
    full_copy "$SECOND_MONITOR_PAINTER" "$ADJUSTED" exact
    on_second_monitor "$G_window" || fail "the painter's window $G_window is not on the second monitor"
    ;;
across-monitors)
    expect_monitors
    start_picture_painter
    start_painter "$SECOND_MONITOR_PAINTER" || give_up "the painter did not start"
    on_second_monitor "$G_window" || give_up "the painter's window $G_window is not on the second monitor"
    cmp -s "$SESSION_WORK/picture-sample.ppm" "$SESSION_WORK/sample.ppm" \
        || give_up "the two painters show different samples"
    start_vellipa
    read -r canvas_left canvas_top _ <<<"$G_canvas"
    # shellcheck disable=SC2086
    drive panel $ADJUSTED pick-source $P_sample \
        pick-dest $((canvas_left + DX)) $((canvas_top + DY)) pick-palette $G_palette_drag \
        start box 150000 ok || fail "the copy did not end with the box"
    close_vellipa || give_up "vellipa.exe did not end"
    [ "$VELLIPA_EXIT" -eq 0 ] || fail "vellipa.exe ended with exit code $VELLIPA_EXIT"
    close_two_painters || give_up "the painters did not end"
    [ "$PAINTER_EXIT" -eq 0 ] || fail "the painter ended with exit code $PAINTER_EXIT"
    check_canvas "$DX" "$DY" exact || { cat "$SESSION_WORK/check.txt" >&2; give_up "the canvas is not the copy"; }
    report_copy
    [ "$(count_events press)" -eq 0 ] || fail "presses landed beside the bars and the canvas"
    ;;
copy-gap)
    expect_monitors
    # The copy's top-left 20 rows above the monitor's bottom edge: 28 of its
    # 48 rows lie in the gap, which the screen rectangle still holds.
    ON_SCREEN="canvas_right-canvas_left+1 SECOND_BOTTOM-canvas_top"
    full_copy "--canvas-size=260x160 $(painter_at $((SECOND_LEFT + 300)) $((SECOND_BOTTOM - 148)))" \
        "$ADJUSTED" exact "" "SECOND_BOTTOM-20-canvas_top"
    within $((SECOND_BOTTOM + 1)) "$canvas_bottom" 5000 "the canvas's bottom row"
    echo "canvas $G_canvas, the second monitor's last row $((SECOND_BOTTOM - 1)):" \
        "${C_offscreen_painted:-?} pixels painted in the gap"
    ;;
*)
    echo "unknown scenario $scenario" >&2
    exit 2
    ;;
esac

end_checks "scenario $scenario passed"
