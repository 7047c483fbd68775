#!/usr/bin/env bash
# Start-up as a user sees it: process start until the first window is mapped on an X server,
# median of several runs, for Vorleth, a bare Qt Widgets window (the yardstick), the same bare
# window linking QtWebEngine, and qgo when it is installed (apt-get install qgo). Ratios are
# to the bare window, all from one run.
#   bench/startup_x11.sh [BUILD_DIR] [RUNS]     (defaults: build, 7)
# Runs on a fresh Xvfb without a window manager, and with a temporary home directory in which
# Vorleth finds the directories of an earlier run (no installation guide opens).
set -euo pipefail

cd "$(dirname "$0")/.."
build="$(realpath "${1:-build}")"
runs="${2:-7}"

home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/Vorleth/SGF" "$home/Vorleth/Pelloq" "$home/Vorleth/Pelloq写真"

candidates=(
    "bare=$build/bench/bare_window"
    "vorleth=$build/src/app/vorleth"
    "bare+webengine=$build/bench/bare_webengine_window"
)
if [ -x /usr/games/qgo ]; then
    candidates+=("qgo=/usr/games/qgo")
fi

HOME="$home" xvfb-run -a -s "-screen 0 1280x1024x24" \
    "$build/bench/startup_x11_bench" -n "$runs" "${candidates[@]}"
