#!/usr/bin/env bash
# Builds the Windows package as scripts/package does (CPack on the Windows
# build tree), unpacks it and checks what a user gets:
#
#   package_check.sh CPACK CPACK_CONFIG GUIDE_SOURCE OBJDUMP WINDRES
#
#   - vellipa-1.0.0.14-win64.zip holding vellipa.exe and 使い方.txt, nothing
#     else, the guide's name flagged as UTF-8 (without the flag Windows reads
#     the name in its own code page and shows it garbled);
#   - the packed vellipa.exe passing every check of resource_check.sh, its
#     version 1.0.0.14 among them;
#   - the packed guide decoding from code page 932, every line ended by
#     CRLF, to exactly the text of its UTF-8 source.
set -u
source "$(dirname "${BASH_SOURCE[0]}")/checks.sh"

[ $# -eq 5 ] || { echo "usage: package_check.sh CPACK CPACK_CONFIG GUIDE_SOURCE OBJDUMP WINDRES" >&2; exit 2; }
cpack="$1" config="$2" guide_source="$3" objdump="$4" windres="$5"
readonly ZIP_NAME=vellipa-1.0.0.14-win64.zip GUIDE=使い方.txt
# The guide's name is UTF-8 on this side; CPack cannot pack it in another locale.
export LC_ALL=C.UTF-8

work="$(mktemp -d "$(dirname "$config")/package-check.XXXXXX")"
trap 'rm -rf "$work"' EXIT

"$cpack" -G ZIP --config "$config" -B "$work/cpack" >"$work/cpack.log" 2>&1 \
    || { cat "$work/cpack.log" >&2; give_up "cpack did not make the package"; }
zip="$work/cpack/$ZIP_NAME"
[ -f "$zip" ] || give_up "no $ZIP_NAME; cpack made: $(cd "$work/cpack" && ls ./*.zip 2>/dev/null)"

names="$(unzip -Z1 "$zip" | sort)"
[ "$names" = "$(printf '%s\n' vellipa.exe "$GUIDE" | sort)" ] \
    || fail "the package holds, not vellipa.exe and $GUIDE only:"$'\n'"$names"
python3 - "$zip" "$GUIDE" <<'EOF' || fail "the guide's name in the package is not flagged as UTF-8"
import sys, zipfile
names = {entry.filename: entry.flag_bits for entry in zipfile.ZipFile(sys.argv[1]).infolist()}
sys.exit(0 if names.get(sys.argv[2], 0) & 0x800 else 1)
EOF

unzip -q "$zip" -d "$work/unpacked" || give_up "unzip cannot unpack $ZIP_NAME"
"$(dirname "${BASH_SOURCE[0]}")/resource_check.sh" "$work/unpacked/vellipa.exe" "$objdump" "$windres" \
    || fail "the packed vellipa.exe fails the resource checks"

guide="$work/unpacked/$GUIDE"
# Every line of the guide ends with CR LF, the last one included.
[ "$(LC_ALL=C grep -c -v $'\r$' "$guide")" -eq 0 ] || fail "$GUIDE has lines without CRLF"
[ "$(tail -c 2 "$guide" | od -An -tx1 | tr -d ' \n')" = 0d0a ] || fail "$GUIDE does not end with CRLF"
if iconv -f CP932 -t UTF-8 "$guide" >"$work/guide.utf8"; then
    tr -d '\r' <"$work/guide.utf8" | cmp -s - "$guide_source" \
        || fail "$GUIDE decodes to another text than $guide_source"
else
    fail "$GUIDE is not code page 932"
fi

end_checks "package $ZIP_NAME: vellipa.exe and $GUIDE as required"
