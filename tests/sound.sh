#!/bin/sh
# Runs the window's sound test against a PulseAudio server with a null sink, started for
# the test in a runtime folder of its own, as a desktop's sound server would be: the game
# plays through ALSA's default device, which is the server's plugin. The test records the
# sink's monitor with parec. The sink plays in blocks of 50 ms (norewinds), as a sound
# card keeps time, not in the 2 s a null sink takes by default.
# Usage: sound.sh PROGRAM [ARGUMENT...]
# Where no server can start the test is skipped (status 77), unless QUINDRA_REQUIRE_SOUND
# is set, as in CI, where it must run.
set -u
program=$1
shift

skip() {
    echo "SKIPPED: $*"
    [ -n "${QUINDRA_REQUIRE_SOUND:-}" ] && exit 1
    exit 77
}

for tool in pulseaudio parec pactl; do
    command -v "$tool" >/dev/null 2>&1 || skip "$tool is not installed"
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
    -L module-always-sink >/dev/null 2>&1 || skip "pulseaudio did not start"
for _ in $(seq 50); do
    pactl info >/dev/null 2>&1 && break
    sleep 0.1
done
pactl info >/dev/null 2>&1 || skip "pulseaudio did not answer: $(tail -n 3 "$runtime/log" | tr '\n' ' ')"
pactl set-default-sink test

QUINDRA_SOUND_SINK=test "$program" "$@"
