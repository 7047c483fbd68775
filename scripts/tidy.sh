#!/usr/bin/env bash
# Runs clang-tidy with the repository's .clang-tidy over every source file of a build's
# compile_commands.json (the build directory must have been configured; Qt's generated moc and
# resource files are left out).
#   scripts/tidy.sh [BUILD_DIR] [FILE_REGEX]    defaults: build, every file of src tests bench fuzz
# Exits 1 when clang-tidy reports a warning. Not part of CI: on two cores it takes minutes.
set -euo pipefail

cd "$(dirname "$0")/.."
build_dir="${1:-build}"
files="${2:-/(src|tests|bench|fuzz)/[^/]+(/[^/]+)*\.cpp$}"

if [ ! -f "$build_dir/compile_commands.json" ]; then
    echo "no $build_dir/compile_commands.json: configure the build first (cmake --preset default)" >&2
    exit 2
fi
command -v run-clang-tidy >/dev/null || bash scripts/vorleth.sh install

log="$(mktemp)"
trap 'rm -f "$log"' EXIT
# The generated files (moc_*, qrc_*, *_autogen) are Qt's, not ours.
run-clang-tidy -quiet -p "$build_dir" -j "$(nproc)" "^$(pwd)${files}" 2>/dev/null |
    grep -v '_autogen/' | tee "$log"
if grep -q 'warning:' "$log"; then
    echo "clang-tidy: $(grep -c 'warning:' "$log") warnings" >&2
    exit 1
fi
