#!/bin/sh
# Runs the window's sound test against a PulseAudio server with a null sink, started for
# the test in a runtime folder of its own, as a desktop's sound server would be: the game
# plays through ALSA's default device, which is the server's plugin. The test records the
# sink's monitor with parec. The sink plays in blocks of 50 ms (norewinds), as a sound
# card keeps time, not in the 2 s a null sink takes by default.
# With --pipewire the server is PipeWire with WirePlumber and its PulseAudio service, as on
# most desktops today, on a null sink of its own clock (the bench's sound figures); the game
# reaches it through PipeWire's own ALSA plugin where that is installed.
# Usage: sound.sh [--or-without] [--pipewire] PROGRAM [ARGUMENT...]
# Where no server can start the test is skipped (status 77), or with --or-without run
# without one (its sound checks skip themselves), unless QUINDRA_REQUIRE_SOUND is set, as
# in CI, where the server must start.
set -u
without=""
if [ "$1" = --or-without ]; then
    without=1
    shift
fi
pipewire=""
if [ "$1" = --pipewire ]; then
    pipewire=1
    shift
fi

# Says why there is no server; returns only when the program is to run without one.
cannot() {
    echo "SKIPPED: $*"
    [ -n "${QUINDRA_REQUIRE_SOUND:-}" ] && exit 1
    [ -n "$without" ] || exit 77
}

servers="pulseaudio"
[ -n "$pipewire" ] && servers="pipewire wireplumber pipewire-pulse dbus-daemon"
for tool in $servers parec pactl; do
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

if [ -n "$pipewire" ]; then
    # Its own session bus, which WirePlumber needs, gone with it.
    bus=$(dbus-daemon --session --fork --print-address=1 --print-pid=1) ||
        { cannot "dbus-daemon did not start"; cleanup; exec "$@"; }
    DBUS_SESSION_BUS_ADDRESS=$(echo "$bus" | sed -n 1p)
    export DBUS_SESSION_BUS_ADDRESS
    servers=$(echo "$bus" | sed -n 2p)
    pipewire >"$runtime/log" 2>&1 &
    servers="$servers $!"
    sleep 0.5
    wireplumber >>"$runtime/log" 2>&1 &
    servers="$servers $!"
    pipewire-pulse >>"$runtime/log" 2>&1 &
    servers="$servers $!"
    cleanup() {
        kill $servers 2>/dev/null
        rm -rf "$runtime"
    }
else
    pulseaudio -n --daemonize=yes --exit-idle-time=-1 --log-target=file:"$runtime/log" \
        -L module-native-protocol-unix -L 'module-null-sink sink_name=test norewinds=1' \
        -L module-always-sink >/dev/null 2>&1 || { cannot "pulseaudio did not start"; cleanup; exec "$@"; }
fi
for _ in $(seq 50); do
    pactl info >/dev/null 2>&1 && break
    sleep 0.1
done
pactl info >/dev/null 2>&1 ||
    { cannot "the server did not answer: $(tail -n 3 "$runtime/log" | tr '\n' ' ')"; cleanup; exec "$@"; }
[ -n "$pipewire" ] && pactl load-module module-null-sink sink_name=test >/dev/null
pactl set-default-sink test

# Whatever this machine makes ALSA's default (a desktop's PipeWire, say), here it is the
# plugin of the server just started.
plugin=pulse
[ -n "$pipewire" ] && ls /usr/lib/*/alsa-lib/libasound_module_pcm_pipewire.so >/dev/null 2>&1 &&
    plugin=pipewire
if [ -e /usr/share/alsa/alsa.conf ]; then
    printf '</usr/share/alsa/alsa.conf>\npcm.!default { type %s }\nctl.!default { type %s }\n' \
        "$plugin" "$plugin" >"$runtime/alsa.conf"
    export ALSA_CONFIG_PATH="$runtime/alsa.conf"
fi

QUINDRA_SOUND_SINK=test "$@"
