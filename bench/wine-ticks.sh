#!/usr/bin/env bash
# The Windows program's clock under Wine: the mean period at each level over at least 80
# periods, and how many came late by more than half an interval. One JSON line a level.
# Needs the test build (scripts/setup.sh test) and prints figures, never a verdict.
set -euo pipefail
cd "$(dirname "$0")/../build"
xvfb-run -a -s "-screen 0 1600x1200x24" env QT_QPA_PLATFORM=xcb QUINDRA_FIGURES=1 \
  QUINDRA_BIN="$PWD/quindra" QUINDRA_EXE="$PWD/../build-windows/win32/quindra.exe" \
  QUINDRA_WINTOOL="$PWD/../build-windows/win32/wintool.exe" \
  QUINDRA_SETUP="$PWD/../build-windows/quindra-1.0-setup.exe" \
  ./tests/test_wine eachLevelRunsItsClock | grep '^{'
