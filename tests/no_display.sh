#!/bin/sh
# Starts the game where no display can be opened: it must print one line and end with 1.
game=$1
ulimit -c 0
# check NAMED COMMAND...: the line must name NAMED, the displays that could not be opened.
check() {
    named=$1
    shift
    out=$("$@" "$game" 2>&1)
    rc=$?
    lines=$(printf '%s\n' "$out" | wc -l)
    if [ "$rc" -ne 1 ] || [ "$lines" -ne 1 ] || ! printf '%s' "$out" | grep -q 'no display could be opened' ||
       ! printf '%s' "$out" | grep -qF "($named)"; then
        echo "FAIL ($*): status $rc, $lines lines:"
        printf '%s\n' "$out"
        exit 1
    fi
    echo "ok ($*): $out"
}
base="env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE"
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
check "DISPLAY is not set" $base -u DISPLAY
check "DISPLAY=:9876" $base DISPLAY=:9876
# The Wayland display named when that is what failed, and each of the two when both did.
check "WAYLAND_DISPLAY=nowhere" $base -u DISPLAY XDG_RUNTIME_DIR="$runtime" \
    QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=nowhere
check "WAYLAND_DISPLAY=nowhere; DISPLAY=:9876" $base XDG_RUNTIME_DIR="$runtime" \
    QT_QPA_PLATFORM="wayland;xcb" WAYLAND_DISPLAY=nowhere DISPLAY=:9876
