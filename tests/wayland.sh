#!/bin/sh
# Runs the window's Wayland tests in a headless sway, as a desktop would run the game: the
# compositor as an ordinary user (sway will not run as root), one keyboard in its seat all
# along as a desktop has (typing tools come and go), keys typed with wtype, the screen
# read with grim. Usage: wayland.sh TEST-PROGRAM [TEST-FUNCTION...]
# Where no compositor can start the test is skipped (status 77), unless
# QUINDRA_REQUIRE_WAYLAND is set, as in CI, where it must run.
set -u
program=$1
shift

skip() {
    echo "SKIPPED: $*"
    [ -n "${QUINDRA_REQUIRE_WAYLAND:-}" ] && exit 1
    exit 77
}

for tool in sway wtype grim; do
    command -v "$tool" >/dev/null 2>&1 || skip "$tool is not installed"
done

work=$(mktemp -d)
chmod 755 "$work"
runtime="$work/compositor"
mkdir "$runtime"
compositor=""
keyboard=""
cleanup() {
    [ -n "$keyboard" ] && kill "$keyboard" 2>/dev/null
    [ -n "$compositor" ] && kill "$compositor" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

as_user=""
if [ "$(id -u)" -eq 0 ]; then
    user=quindra-compositor
    if ! id -u "$user" >/dev/null 2>&1; then
        useradd --system --no-create-home --shell /usr/sbin/nologin "$user" ||
            skip "no ordinary user to run sway as, and none could be made"
    fi
    chown "$user" "$runtime"
    as_user="runuser -u $user --"
fi
chmod 700 "$runtime"

cat >"$work/config" <<'CONFIG'
output HEADLESS-1 resolution 1280x1024 position 0 0
input type:keyboard repeat_delay 400
input type:keyboard repeat_rate 25
CONFIG
chmod 644 "$work/config"

$as_user env -i PATH="$PATH" XDG_RUNTIME_DIR="$runtime" WLR_BACKENDS=headless \
    WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman sway -c "$work/config" >"$work/sway.log" 2>&1 &
compositor=$!

socket=""
for _ in $(seq 100); do
    socket=$(find "$runtime" -maxdepth 1 -type s -name 'wayland-*' 2>/dev/null | head -n 1)
    [ -n "$socket" ] && break
    kill -0 "$compositor" 2>/dev/null || break
    sleep 0.1
done
[ -n "$socket" ] || skip "sway did not start: $(tail -n 3 "$work/sway.log" | tr '\n' ' ')"

# The game's side: its own runtime folder, the compositor's socket by its full path.
mkdir "$work/client"
chmod 700 "$work/client"
export XDG_RUNTIME_DIR="$work/client" WAYLAND_DISPLAY="$socket" QT_QPA_PLATFORM=wayland
unset DISPLAY

wtype -s 3600000 &
keyboard=$!
sleep 0.3

"$program" "$@"
