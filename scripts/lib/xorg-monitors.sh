# An X server of its own with several monitors, for the Windows tests of a
# desktop with more than one (Xvfb has only one): Xorg with the dummy video
# driver, its outputs DUMMY0, DUMMY1, ... laid out by xrandr. Xorg must run
# as root. Source this file, then:
#
#   start_monitors_xorg WORK_DIR MONITOR...  starts it; each MONITOR is
#                                            WIDTHxHEIGHT+X+Y, the first the
#                                            primary; sets MONITORS_DISPLAY
#                                            (":N") and MONITORS_XORG_PID
#   stop_monitors_xorg                       stops the server started here,
#                                            by its process id
#
# The config file and the server's log go into WORK_DIR. The server takes a
# free display number itself and shares the virtual terminal it finds, so
# that several can run beside other X servers.

MONITORS_XORG_PID=""
MONITORS_DISPLAY=""

write_monitors_xorg_config() {
    cat >"$1" <<'CONF'
Section "Device"
    Identifier "dummy"
    Driver "dummy"
    VideoRam 65536
EndSection
Section "Monitor"
    Identifier "monitor"
    HorizSync 5.0-1000.0
    VertRefresh 5.0-200.0
EndSection
Section "Screen"
    Identifier "screen"
    Device "dummy"
    Monitor "monitor"
    DefaultDepth 24
    SubSection "Display"
        Depth 24
        Virtual 4096 2048
    EndSubSection
EndSection
CONF
}

# lay_out_monitors MONITOR...: one xrandr call for every output, after
# giving each output but the first its mode (the first has every mode).
lay_out_monitors() {
    local i=0 monitor mode position arguments=()
    for monitor in "$@"; do
        mode="${monitor%%+*}"
        position="${monitor#*+}"
        position="${position/+/x}"
        if [ "$i" -gt 0 ]; then
            xrandr --addmode "DUMMY$i" "$mode" || return 1
        fi
        arguments+=(--output "DUMMY$i" --mode "$mode" --pos "$position")
        [ "$i" -eq 0 ] && arguments+=(--primary)
        i=$((i + 1))
    done
    xrandr "${arguments[@]}" || return 1
    # Without one more full query after the layout, Wine 8 started next
    # finds only the primary (it reads the outputs' current state, which
    # the dummy driver brings up to date on such a query).
    xrandr >/dev/null
}

start_monitors_xorg() {
    local work="$1" number_file number="" i
    shift
    if [ "$(id -u)" -ne 0 ]; then
        echo "Xorg's dummy driver needs root; run the multi-monitor tests as root" >&2
        return 1
    fi
    mkdir -p "$work/xorg.conf.d"
    write_monitors_xorg_config "$work/xorg.conf"
    number_file="$work/display-number"
    : >"$number_file"
    Xorg -displayfd 3 -config "$work/xorg.conf" -configdir "$work/xorg.conf.d" \
        -logfile "$work/xorg.log" -nolisten tcp -noreset -sharevts -novtswitch \
        3>"$number_file" >/dev/null 2>&1 &
    MONITORS_XORG_PID=$!
    for ((i = 0; i < 100; i++)); do
        number="$(tr -dc '0-9' <"$number_file")"
        [ -n "$number" ] && break
        kill -0 "$MONITORS_XORG_PID" 2>/dev/null || break
        sleep 0.1
    done
    if [ -z "$number" ]; then
        echo "Xorg did not start (log: $work/xorg.log)" >&2
        stop_monitors_xorg
        return 1
    fi
    MONITORS_DISPLAY=":$number"
    DISPLAY="$MONITORS_DISPLAY" lay_out_monitors "$@" || {
        echo "xrandr could not lay out the monitors $*" >&2
        stop_monitors_xorg
        return 1
    }
}

stop_monitors_xorg() {
    if [ -n "$MONITORS_XORG_PID" ]; then
        kill "$MONITORS_XORG_PID" 2>/dev/null
        wait "$MONITORS_XORG_PID" 2>/dev/null
        MONITORS_XORG_PID=""
    fi
}
