#!/usr/bin/env bash
# Checks what vellipa.exe carries, by decompiling its resources with windres
# and reading its PE header with objdump:
#
#   resource_check.sh VELLIPA_EXE OBJDUMP WINDRES
#
#   - icon group 107 with two images, 32x32 and 16x16, 16 colours each (the
#     group's entries and the images' own bitmap headers);
#   - the version record: file and product version 1.0.0.14, strings and
#     translation for Japanese (0x0411) in code page 932;
#   - the application manifest as resource 1, declaring the program DPI-aware;
#   - a GUI-subsystem program that imports no MinGW runtime DLL, and none of
#     the DPI functions newer than Windows 7 (it looks those up when it runs,
#     so that it still starts there).
set -u
source "$(dirname "${BASH_SOURCE[0]}")/checks.sh"

[ $# -eq 3 ] || { echo "usage: resource_check.sh VELLIPA_EXE OBJDUMP WINDRES" >&2; exit 2; }
program="$1" objdump="$2" windres="$3"
resources="$("$windres" -i "$program" -O rc)" || { echo "FAIL: windres cannot read $program" >&2; exit 1; }
headers="$("$objdump" -p "$program")" || { echo "FAIL: objdump cannot read $program" >&2; exit 1; }

# The lines between "BEGIN" and "END" of the resource whose header line is $1
# (e.g. "107 14" for group icon 107), without the two.
resource_body() {
    awk -v head="$1" '
        index($0, head " ") == 1 { found = 1; next }
        found && /^BEGIN/ { inside = 1; next }
        inside && /^END/ { exit }
        inside { print }' <<<"$resources"
}

check_icon() {
    local group entries expected entry width colours planes bits index header
    group="$(resource_body "107 14")"
    [ -n "$group" ] || { fail "no icon group 107"; return; }
    # windres writes each entry as: "width height colours pad", planes, bits,
    # bytes, image id, with the first four as octal escapes.
    entries="$(grep -oE '"(\\[0-7]{3}){4}", *[0-9]+, *[0-9]+, *[0-9a-fA-Fx]+L?, *[0-9]+' <<<"$group" \
        | sed -E 's/^"\\([0-7]+)\\([0-7]+)\\([0-7]+)\\([0-7]+)", *([0-9]+), *([0-9]+), *[^,]+, *([0-9]+)$/\1 \2 \3 \5 \6 \7/')"
    [ "$(grep -c . <<<"$entries")" -eq 2 ] || fail "icon group 107 does not have exactly two images"
    for expected in 32 16; do
        entry="$(while read -r w h c planes bits index; do
            [ $((8#$w)) -eq "$expected" ] && [ $((8#$h)) -eq "$expected" ] \
                && echo "$((8#$c)) $planes $bits $index"
        done <<<"$entries")"
        if [ -z "$entry" ]; then
            fail "icon group 107 has no ${expected}x${expected} image"
            continue
        fi
        read -r colours planes bits index <<<"$entry"
        [ "$colours" -eq 16 ] && [ "$planes" -eq 1 ] && [ "$bits" -eq 4 ] \
            || fail "${expected}x${expected} icon entry: $colours colours, $planes planes, $bits bits, not 16, 1, 4"
        # The image: a BITMAPINFOHEADER (40 bytes) of the icon's width, twice
        # its height (colour and mask), one plane of 4 bits.
        header="$(resource_body "$index 3" | head -n 1 | tr -d ' L' | cut -d, -f1-4)"
        [ "$header" = "$(printf '0x28,0x%x,0x%x,0x40001' "$expected" $((expected * 2)))" ] \
            || fail "${expected}x${expected} icon image is not a 16-colour bitmap (header $header)"
    done
}

check_version() {
    local version
    version="$(awk '/^[0-9]+ VERSIONINFO/ { found = 1 } found { print } found && /^END/ { exit }' \
        <<<"$resources")"
    [ -n "$version" ] || { fail "no version record"; return; }
    grep -qE '^ *FILEVERSION 1, 0, 0, 14$' <<<"$version" || fail "file version is not 1.0.0.14"
    grep -qE '^ *PRODUCTVERSION 1, 0, 0, 14$' <<<"$version" || fail "product version is not 1.0.0.14"
    grep -qiE 'BLOCK "041103a4"' <<<"$version" \
        || fail "no version strings for Japanese in code page 932 (block 041103a4)"
    grep -qiE 'VALUE "Translation", 0x0*411, 932$' <<<"$version" \
        || fail "version translation is not Japanese (0x0411), code page 932"
    grep -qE 'VALUE "FileVersion", "1\.0\.0\.14"' <<<"$version" || fail "FileVersion string is not 1.0.0.14"
}

check_manifest() {
    local manifest
    # Windows reads a program's manifest from resource 1 of type 24.
    manifest="$(resource_body "1 24" | sed -E 's/^ *"//; s/"$//; s/""/"/g; s/\\n$//' | tr -d '\n')"
    [ -n "$manifest" ] || { fail "no application manifest (resource 1, type 24)"; return; }
    grep -qiE '<([a-z0-9]+:)?dpiAware( [^>]*)?>[[:space:]]*(true|true/pm|per monitor)[[:space:]]*<' <<<"$manifest" \
        || grep -qiE '<([a-z0-9]+:)?dpiAwareness( [^>]*)?>[^<]*(PerMonitorV2|PerMonitor|System)' <<<"$manifest" \
        || fail "the manifest does not declare the program DPI-aware"
}

check_imports() {
    local dll
    grep -qE 'Subsystem[[:space:]]+0*2[[:space:]]' <<<"$headers" || fail "not a GUI-subsystem program"
    while read -r dll; do
        case "${dll,,}" in
            libgcc_s* | libstdc++* | libwinpthread* | *mingw*) fail "imports the MinGW runtime DLL $dll" ;;
        esac
    done < <(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers")
    grep -q 'DLL Name:' <<<"$headers" || fail "objdump shows no imports at all"
    # objdump lists each imported function as "ADDRESS HINT NAME".
    grep -qE '^[[:space:]]+[0-9a-f]+[[:space:]]+[0-9]+[[:space:]]+AdjustWindowRectEx$' <<<"$headers" \
        || fail "objdump shows no import by name (AdjustWindowRectEx)"
    local name
    for name in GetDpiForWindow AdjustWindowRectExForDpi GetDpiForSystem GetSystemMetricsForDpi \
        SetThreadDpiAwarenessContext SetProcessDpiAwarenessContext GetDpiForMonitor; do
        grep -qE "^[[:space:]]+[0-9a-f]+[[:space:]]+[0-9]+[[:space:]]+$name\$" <<<"$headers" \
            && fail "imports $name, which Windows 7 does not have"
    done
}

check_icon
check_version
check_manifest
check_imports
end_checks "resources and imports as required"
