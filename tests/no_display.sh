#!/bin/sh
# Starts the game where no display can be opened: it must print one line and end with 1.
game=$1
ulimit -c 0
check() {
    out=$("$@" "$game" 2>&1)
    rc=$?
    lines=$(printf '%s\n' "$out" | wc -l)
    if [ "$rc" -ne 1 ] || [ "$lines" -ne 1 ] || ! printf '%s' "$out" | grep -q 'no display could be opened'; then
        echo "FAIL ($*): status $rc, $lines lines:"
        printf '%s\n' "$out"
        exit 1
    fi
    echo "ok ($*): $out"
}
base="env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE"
check $base -u DISPLAY
check $base DISPLAY=:9876
