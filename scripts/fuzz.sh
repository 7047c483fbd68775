#!/usr/bin/env bash
# Builds the fuzz targets of fuzz/ (clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) in build-fuzz/ and runs each one after the other.
#   scripts/fuzz.sh [SECONDS [TARGET...]]   SECONDS per target (default 600); all targets by default
# Each target keeps its corpus in build-fuzz/corpus/TARGET (seeded from tests/data), its log in
# build-fuzz/logs/TARGET.log and any input that broke it in build-fuzz/findings/. Exits 1 when a
# target found something.
set -euo pipefail

cd "$(dirname "$0")/.."
seconds="${1:-600}"
shift || true
build_dir="${VORLETH_FUZZ_BUILD_DIR:-build-fuzz}"
targets=(record_body_fuzz record_name_fuzz working_files_fuzz settings_fuzz sgf_fuzz
    table_import_fuzz)
if (($#)); then
    targets=("$@")
fi

# The project's own packages, then clang with its libFuzzer and sanitizer runtimes.
bash scripts/vorleth.sh install
missing=()
for p in clang libclang-rt-14-dev; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
    sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends \
        "${missing[@]}"
fi

cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DVORLETH_FUZZ=ON -DVORLETH_BUILD_TESTS=OFF \
    -DVORLETH_BUILD_BENCH=OFF
cmake --build "$build_dir" -j2 --target vorleth_fuzzers

data=tests/data
# seed TARGET: fills an empty corpus with the test files that fit the target.
seed() {
    local corpus="$build_dir/corpus/$1"
    mkdir -p "$corpus"
    [ -z "$(ls -A "$corpus")" ] || return 0
    local f name i=0
    case "$1" in
    record_body_fuzz)
        # The first line is the file name, the rest the body.
        for f in "$data"/records/*.IGO "$data"/replay/*.IGO; do
            name="$(basename "$f" .IGO)"
            { printf '%s\n' "$name"; cat "$f"; } >"$corpus/seed$((i++))"
        done
        ;;
    record_name_fuzz)
        for f in "$data"/records/*.IGO "$data"/replay/*.IGO; do
            printf '%s' "$(basename "$f" .IGO)" >"$corpus/seed$((i++))"
        done
        ;;
    working_files_fuzz)
        cp "$data"/working/* "$corpus"/
        printf ' 12 ,  3 \r\n 40 ,  7 \r\n' >"$corpus/repeated-plays"
        ;;
    settings_fuzz)
        printf 'C:\\Vorleth\\Pelloq,PASS, 800 , 0 , 0 , 0 , 0 , 0 \r\n' >"$corpus/settings"
        ;;
    sgf_fuzz)
        cp "$data"/sgf/*.sgf "$corpus"/
        ;;
    table_import_fuzz)
        cp "$data"/import/* "$data"/sgf/*.sgf "$corpus"/
        ;;
    esac
}

dictionary() {
    case "$1" in
    record_name_fuzz | record_body_fuzz) echo "-dict=fuzz/recordname.dict" ;;
    sgf_fuzz | table_import_fuzz) echo "-dict=fuzz/sgf.dict" ;;
    esac
}

mkdir -p "$build_dir/logs" "$build_dir/findings"
found=()
for target in "${targets[@]}"; do
    seed "$target"
    echo "== $target: ${seconds} s"
    # One target at a time at the lowest priority: the machine is shared with other builds.
    # shellcheck disable=SC2046
    if ! nice -n 19 "$build_dir/fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$build_dir/findings/$target-" $(dictionary "$target") \
        "$build_dir/corpus/$target" >"$build_dir/logs/$target.log" 2>&1; then
        found+=("$target")
    fi
    grep -E '^stat::number_of_executed_units|^stat::peak_rss_mb|^#[0-9]+.*DONE' \
        "$build_dir/logs/$target.log" || true
    echo "files in the corpus directory: $(ls "$build_dir/corpus/$target" | wc -l)"
done

if ((${#found[@]})); then
    echo "findings in: ${found[*]} (inputs in $build_dir/findings/, logs in $build_dir/logs/)" >&2
    exit 1
fi
echo "no findings"
