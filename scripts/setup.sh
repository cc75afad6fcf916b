#!/usr/bin/env bash
# Sets Quindra up on a Debian or Ubuntu machine: installs what is missing, builds, then
# starts the game (play), runs every test headless (test), or makes the Windows program,
# its installer and its portable zip (windows).
set -euo pipefail

mode=${1:-}
case "$mode" in
  play|test|windows) ;;
  *) echo "usage: $0 play|test|windows" >&2; exit 2 ;;
esac

cd "$(dirname "$0")/.."

# Where the time goes: each step's end, in seconds from the start.
done_with() { echo "== $1 after ${SECONDS} s"; }

# The game: a compiler, CMake, Qt and a font (a bare system has none, and Qt then draws no
# text), with Qt's own translations so its dialogs speak the desktop's language, and ALSA's
# headers for its sounds.
packages=(g++ make cmake qt6-base-dev fonts-dejavu-core qt6-translations-l10n libasound2-dev)
# The Windows program: the mingw-w64 cross-compiler (its posix-thread flavour) and NSIS.
windows_packages=(g++-mingw-w64-x86-64-posix nsis)
[ "$mode" = windows ] && packages=(make cmake "${windows_packages[@]}")
# The tests also drive the real window on an X server and natively in a headless Wayland
# compositor with real key events, validate the installed desktop entry and metainfo, and
# build the Debian package; and they build the Windows program and play it under Wine.
if [ "$mode" = test ]; then
  packages+=(xvfb xauth xdotool qt6-wayland sway wtype grim desktop-file-utils appstream dpkg-dev)
  # The sounds are heard on a PulseAudio server with a null sink, recorded with parec.
  packages+=(pulseaudio pulseaudio-utils)
  # The network messages are fuzzed with libFuzzer, which comes with clang.
  packages+=(clang)
  packages+=("${windows_packages[@]}" wine64 wine)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  if ! command -v apt-get >/dev/null 2>&1; then
    echo "Missing: ${missing[*]}. This script installs them with apt-get (Debian or Ubuntu);" \
         "on this system install them by hand and run it again." >&2
    exit 1
  fi
  sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null 2>&1 || { echo "Installing ${missing[*]} needs root or sudo." >&2; exit 1; }
    sudo=(sudo)
  fi
  echo "Installing ${missing[*]}"
  "${sudo[@]}" apt-get update -qq
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
fi

done_with "installing"

# Warnings are errors where we pick the compiler: in the tests, not for packagers.
werror=OFF
[ "$mode" = test ] && werror=ON

# The Windows program, cross-built: build-windows/win32/quindra.exe, and beside the
# folder's top quindra-VERSION-setup.exe and quindra-VERSION-windows.zip.
if [ "$mode" != play ]; then
  cmake -S . -B build-windows -DCMAKE_BUILD_TYPE=Release -DQUINDRA_WERROR=$werror \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
  cmake --build build-windows --parallel "$(nproc)"
  done_with "the Windows build"
  if [ "$mode" = windows ]; then
    ls -l build-windows/win32/quindra.exe build-windows/quindra-*-setup.exe \
      build-windows/quindra-*-windows.zip
    exit 0
  fi
fi

windows_build=()
[ "$mode" = test ] && windows_build=(-DQUINDRA_WINDOWS_BUILD="$PWD/build-windows")
# To play, the game's files are compiled a few at a time (a unity build): Qt's headers are
# read once per batch, not once per file, which halves the wait. The tests compile each
# file alone, so a file that forgets an include of its own is caught there.
unity=OFF
[ "$mode" = play ] && unity=ON
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUINDRA_WERROR=$werror \
  -DCMAKE_UNITY_BUILD=$unity "${windows_build[@]}"

# To play, only the game is built: the tests and benchmarks would double the wait.
if [ "$mode" = play ]; then
  cmake --build build --parallel "$(nproc)" --target quindra
  exec ./build/quindra
fi
cmake --build build --parallel "$(nproc)"
done_with "the build"
# CI has everything the Wayland and sound tests need: there they must run, not be skipped.
if [ "${CI:-}" = true ]; then
  export QUINDRA_REQUIRE_WAYLAND=1 QUINDRA_REQUIRE_SOUND=1
fi
# Each test that needs a server starts its own (X, Wayland, sound, Wine), so they run side
# by side.
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure --timeout 600 \
  --parallel "$(nproc)"
done_with "the tests"
bash packaging/check-package.sh
done_with "the package"

# The network's message decoder and session under libFuzzer, a fixed number of runs from
# seeds: no crash, no sanitizer report, every message accepted in range.
cmake -S tests/fuzz -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  >/dev/null
cmake --build build-fuzz --parallel "$(nproc)"
ctest --test-dir build-fuzz --output-on-failure --timeout 900
done_with "the fuzz test"

# The whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer: any report
# stops the test that meets it, and the run fails. (The Windows program is not built for
# it: it was played once above.) Its files are compiled a few at a time, as each was
# compiled alone above, and without the benchmarks.
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUINDRA_WERROR=ON \
  -DQUINDRA_SANITIZE=ON -DCMAKE_UNITY_BUILD=ON -DQUINDRA_BENCH=OFF >/dev/null
cmake --build build-asan --parallel "$(nproc)"
done_with "the sanitizer build"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:halt_on_error=1 \
UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp" \
QT_QPA_PLATFORM=offscreen ctest --test-dir build-asan --output-on-failure --timeout 900 \
  --parallel "$(nproc)"
done_with "the sanitizer tests"
