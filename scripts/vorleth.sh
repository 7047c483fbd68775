#!/usr/bin/env bash
# Installs what is missing (Debian 12), builds, then starts the program or runs every test.
#   scripts/vorleth.sh run     install, build, start Vorleth
#   scripts/vorleth.sh test    install, check that every source file is formatted as
#                              .clang-format says, build, run all tests with CTest, then build
#                              the core library and its tests with AddressSanitizer and
#                              UndefinedBehaviorSanitizer (in build-asan/) and run those
#   scripts/vorleth.sh build   install and build only
#   scripts/vorleth.sh install install what is missing only
set -euo pipefail

cd "$(dirname "$0")/.."
action="${1:-run}"
build_dir="${VORLETH_BUILD_DIR:-build}"
sanitize_dir="${VORLETH_SANITIZE_BUILD_DIR:-build-asan}"

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-webengine-dev qt6-webengine-dev-tools libgl-dev
    qt6-translations-l10n
    libgtest-dev libgmock-dev libbenchmark-dev libxcb1-dev
    fonts-noto-cjk xvfb xauth
    gnugo ccache
    libuchardet-dev
    clang-format clang-tidy
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

# ccache keys on paths relative to the checkout, so builds of other checkouts share it.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1

build() {
    cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
    cmake --build "$build_dir" -j2
}

# Fails, naming the files, when a source file is not formatted as .clang-format says
# (clang-format -i on them fixes it).
format_check() {
    find src tests bench fuzz \( -name '*.cpp' -o -name '*.h' \) -print0 |
        xargs -0 clang-format --dry-run -Werror
}

# The logic tests (CTest label "core") once more under the sanitizers; the screens stay out, as
# Qt's GUI and web engine libraries are not instrumented and only slow the run down.
sanitized_core_tests() {
    cmake -S . -B "$sanitize_dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVORLETH_SANITIZE=ON \
        -DCMAKE_CXX_COMPILER_LAUNCHER=ccache \
        -DVORLETH_BUILD_BENCH=OFF
    cmake --build "$sanitize_dir" -j2 --target vorleth_core_tests
    (cd "$sanitize_dir" &&
        ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
            ctest --output-on-failure -j2 -L core)
}

case "$action" in
run)
    install_missing
    build
    exec "$build_dir/src/app/vorleth"
    ;;
test)
    install_missing
    format_check
    build
    (cd "$build_dir" && ctest --output-on-failure -j2)
    sanitized_core_tests
    ;;
build)
    install_missing
    build
    ;;
install)
    install_missing
    ;;
*)
    echo "usage: $0 run|test|build|install" >&2
    exit 2
    ;;
esac
