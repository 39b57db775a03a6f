#!/usr/bin/env bash
# Takes the README's pictures of the program, run inside scripts/wine-run:
#
#   take_screenshots.sh VELLIPA_EXE PAINTER_EXE DRIVER_EXE WINDOW_TOOL_EXE OUT_DIR
#
# Starts the stand-in painter and vellipa.exe, has the driver photograph the
# panel and the overlay during a source drag round the painter's sample
# picture, closes both programs, and writes OUT_DIR/panel.png and
# OUT_DIR/overlay.png (the overlay cut down to the part round the drag).
# Not a test: run it by hand when the look of the program changes. With
# VELLIPA_WINE_DPI=144 or 192 before scripts/wine-run, the pictures are of a
# display scaled to 150 % or 200 %: the README's docs/panel-150.png and
# docs/panel-200.png are the panel.png of those runs.
set -eu

[ $# -eq 5 ] || { echo "usage: take_screenshots.sh VELLIPA PAINTER DRIVER WINDOW_TOOL OUT_DIR" >&2; exit 2; }
vellipa="$1" painter="$2" driver="$3" tool="$4" out="$5"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

wine "$painter" &
wine "$tool" find "Stand-in Painter" 30000 >/dev/null
wine "$vellipa" &
wine "$tool" find "Vellipa phase 14" 30000 >/dev/null

# The drag: from the top-left of the stand-in painter's sample picture to a
# point inside it, so that the band, the label and the painter all show.
wine "$driver" "$(winepath -w "$work/panel.bmp")" "$(winepath -w "$work/overlay.bmp")" \
    "${ANCHOR_X:-479}" "${ANCHOR_Y:-139}" "${CURSOR_X:-551}" "${CURSOR_Y:-194}"

wine "$tool" close "Vellipa phase 14" || true
wine "$tool" close "Stand-in Painter" || true
wineserver -w

mkdir -p "$out"
convert "$work/panel.bmp" -strip "$out/panel.png"
convert "$work/overlay.bmp" -crop "${CROP:-840x300+0+0}" +repage -strip "$out/overlay.png"
echo "wrote $out/panel.png and $out/overlay.png"
