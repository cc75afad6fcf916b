#!/bin/sh
# Runs the window's sound test against a PulseAudio server with a null sink, started for
# the test in a runtime folder of its own, as a desktop's sound server would be: the game
# plays through ALSA's default device, which is the server's plugin. The test records the
# sink's monitor with parec. The sink plays in blocks of 50 ms (norewinds), as a sound
# card keeps time, not in the 2 s a null sink takes by default.
# Usage: sound.sh [--or-without] PROGRAM [ARGUMENT...]
# Where no server can start the test is skipped (status 77), or with --or-without run
# without one (its sound checks skip themselves), unless QUINDRA_REQUIRE_SOUND is set, as
# in CI, where the server must start.
set -u
without=""
if [ "$1" = --or-without ]; then
    without=1
    shift
fi

# Says why there is no server; returns only when the program is to run without one.
cannot() {
    echo "SKIPPED: $*"
    [ -n "${QUINDRA_REQUIRE_SOUND:-}" ] && exit 1
    [ -n "$without" ] || exit 77
}

for tool in pulseaudio parec pactl; do
    command -v "$tool" >/dev/null 2>&1 || { cannot "$tool is not installed"; exec "$@"; }
done

runtime=$(mktemp -d)
chmod 700 "$runtime"
export XDG_RUNTIME_DIR="$runtime"
cleanup() {
    pactl exit >/dev/null 2>&1
    rm -rf "$runtime"
}
trap cleanup EXIT

pulseaudio -n --daemonize=yes --exit-idle-time=-1 --log-target=file:"$runtime/log" \
    -L module-native-protocol-unix -L 'module-null-sink sink_name=test norewinds=1' \
    -L module-always-sink >/dev/null 2>&1 || { cannot "pulseaudio did not start"; cleanup; exec "$@"; }
for _ in $(seq 50); do
    pactl info >/dev/null 2>&1 && break
    sleep 0.1
done
pactl info >/dev/null 2>&1 ||
    { cannot "pulseaudio did not answer: $(tail -n 3 "$runtime/log" | tr '\n' ' ')"; cleanup; exec "$@"; }
pactl set-default-sink test

QUINDRA_SOUND_SINK=test "$@"
