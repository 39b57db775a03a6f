#!/usr/bin/env bash
# The demo's session inside scripts/wine-run:
#
#   demo-session.sh BUILD_DIR OUT_DIR live|private
#
# Starts the stand-in painter with its sample picture and vellipa.exe, then
# does what a user does, with the setting the trace benchmark recommends:
# ticks "しぃペインター" and "マウス移動時に同期", sets the wait to 1 ms, drags
# round the sample, clicks the destination on the canvas, drags round the
# slider bars, presses "はじめ" and waits for the completion box. Writes OUT_DIR/before.png and OUT_DIR/after.png (the
# painter before and after the copy) and prints the time and the share of
# canvas pixels that match the sample. On a live display it then leaves
# both programs to the user and waits until they close them; on a private
# display nobody can, so it closes them itself. The copy's working files go
# to OUT_DIR/demo/.
set -u
source "$(dirname "${BASH_SOURCE[0]}")/copy-session.sh"

[ $# -eq 3 ] || { echo "usage: demo-session.sh BUILD_DIR OUT_DIR live|private" >&2; exit 2; }
build="$1" out="$2" display_kind="$3"
readonly DX=9 DY=7   # where the copy goes on the canvas

copy_session_init "$build" "$out/demo" || exit 1
rm -f "$out/before.png" "$out/after.png"
start_painter || { end_session; exit 1; }
start_vellipa
sleep 1.5   # both windows' first paint
screenshot_painter "$out/before.png" || { end_session; exit 1; }

copy_steps "$DX" "$DY"
echo "picking the sample, the canvas point and the sliders, then はじめ"
if ! drive panel option 1005 on option 1007 on wait-text 1 \
    "${COPY_STEPS[@]}" start box 300000 ok; then
    echo "the copy did not end with the completion box" >&2
    end_session
    exit 1
fi
sleep 0.5   # the painter's last strokes on the screen
screenshot_painter "$out/after.png"
screenshot_canvas
check_canvas "$DX" "$DY" exact
copy_exact=$?
echo "the completion box read: ${D_box_text}"
echo "time from はじめ to the box: ${D_elapsed_ms} ms"
echo "canvas pixels matching the sample: ${C_matching_pixels:-?} of ${C_total_pixels:-?}" \
    "(${C_matching_share:-?} %), stray pixels beside the copy: ${C_stray_pixels:-?}"
echo "pictures: $out/before.png, $out/after.png"

if [ "$display_kind" = live ]; then
    echo "Both programs stay open on $DISPLAY: try a copy by hand, then close them to end the demo."
    wait "$VELLIPA_PID"
    wait "$PAINTER_PID"
    exit "$copy_exact"
fi
close_vellipa || { end_session; exit 1; }
close_painter || { end_session; exit 1; }
echo "vellipa.exe ended with exit code $VELLIPA_EXIT"
[ "$copy_exact" -eq 0 ] && [ "$VELLIPA_EXIT" -eq 0 ]
