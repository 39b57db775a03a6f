# Failure counting shared by the Windows test scripts, which each check
# several things and report every failed one before they end:
#
#   fail MESSAGE       reports a failed check and counts it; the script goes on
#   give_up MESSAGE    reports a failure that leaves nothing more to check,
#                      runs $GIVE_UP_CLEANUP (the script's own clean-up, e.g.
#                      ending the programs it started) and exits 1
#   end_checks TEXT    exits 1 when any check failed, otherwise prints TEXT
failures=0
GIVE_UP_CLEANUP=${GIVE_UP_CLEANUP:-true}

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

give_up() {
    echo "FAIL: $*" >&2
    $GIVE_UP_CLEANUP
    exit 1
}

end_checks() {
    [ "$failures" -eq 0 ] || exit 1
    echo "$*"
}
