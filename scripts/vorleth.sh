#!/usr/bin/env bash
# Installs what is missing (Debian 12), builds, then starts the program or runs every test.
#   scripts/vorleth.sh run     install, build, start Vorleth
#   scripts/vorleth.sh test    install, build, run all tests with CTest
#   scripts/vorleth.sh build   install and build only
set -euo pipefail

cd "$(dirname "$0")/.."
action="${1:-run}"
build_dir="${VORLETH_BUILD_DIR:-build}"

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-webengine-dev qt6-webengine-dev-tools libgl-dev
    qt6-translations-l10n
    libgtest-dev libgmock-dev libbenchmark-dev libxcb1-dev
    fonts-noto-cjk xvfb xauth
    gnugo
)

install_missing() {
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    if ((${#missing[@]})); then
        echo "Installing: ${missing[*]}"
        local sudo=()
        [ "$(id -u)" -eq 0 ] || sudo=(sudo)
        "${sudo[@]}" apt-get update -q
        DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
    fi
}

build() {
    cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --build "$build_dir" -j2
}

case "$action" in
run)
    install_missing
    build
    exec "$build_dir/src/app/vorleth"
    ;;
test)
    install_missing
    build
    cd "$build_dir"
    exec ctest --output-on-failure -j2
    ;;
build)
    install_missing
    build
    ;;
*)
    echo "usage: $0 run|test|build" >&2
    exit 2
    ;;
esac
