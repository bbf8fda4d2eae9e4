#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz/ (QUENLARK_FUZZ=ON), then either
#   scripts/fuzz.sh                  replays every seed corpus (tests/fuzz/<target>/) and fuzzes
#                                    each target for 30 seconds from seed 1 (what CI runs);
#   scripts/fuzz.sh TARGET [SECONDS] fuzzes one target for that long (default 600 s); new inputs
#                                    go to build-fuzz/corpus/TARGET, a crash to
#                                    build-fuzz/crashes/TARGET/.
# QUENLARK_FUZZ_SECONDS sets the seconds per target of that run (default 30). Warnings are left to the g++ trees of
# scripts/test.sh, which build the same code with -Werror. See docs/testing.md.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${QUENLARK_FUZZ_BUILD_DIR:-build-fuzz}
targets=(hostlines languagepack settings smtpreply mcicommand histories wavlength)

CC=clang CXX=clang++ cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUENLARK_FUZZ=ON >/dev/null
cmake --build "$dir" --target quenlark_fuzzers

# Qt's hashes are seeded at random in every process, which would change the paths an input
# takes from run to run; the known leaks of the libraries underneath are suppressed as in the
# sanitized tree.
export QT_HASH_SEED=0
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp
# A target that builds a whole session per input frees a lot: a smaller quarantine, handed back
# to the system, keeps an hour's run far below the memory limit (a live-heap profile at the
# limit showed 24 MB live beside 243 MB of quarantine).
export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=0:quarantine_size_mb=64:allocator_release_to_os_interval_ms=5000}
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

run_fuzzer() { # run_fuzzer TARGET libFuzzer-argument...
    local target=$1
    shift
    mkdir -p "$dir/crashes/$target"
    "$dir/bin/fuzz_$target" -timeout=30 -rss_limit_mb=2048 \
        -artifact_prefix="$dir/crashes/$target/" "$@"
}

if [ $# -ge 1 ]; then
    target=$1
    seconds=${2:-600}
    [[ " ${targets[*]} " == *" $target "* ]] || { echo "fuzz.sh: no target '$target' (${targets[*]})" >&2; exit 2; }
    mkdir -p "$dir/corpus/$target"
    run_fuzzer "$target" -max_total_time="$seconds" -print_final_stats=1 \
        "$dir/corpus/$target" "tests/fuzz/$target"
    exit
fi

for target in "${targets[@]}"; do
    # New inputs go to a folder of this run, never into the checked-in corpus.
    fresh=$(mktemp -d)
    seconds=${QUENLARK_FUZZ_SECONDS:-30}
    echo "== fuzz_$target: the seed corpus, then $seconds s from seed 1"
    if ! run_fuzzer "$target" -runs=0 "tests/fuzz/$target" >"$fresh.log" 2>&1 ||
        ! run_fuzzer "$target" -seed=1 -max_total_time="$seconds" -print_final_stats=1 "$fresh" \
            "tests/fuzz/$target" >>"$fresh.log" 2>&1; then
        cat "$fresh.log"
        rm -rf "$fresh" "$fresh.log"
        exit 1
    fi
    grep -E '^#[0-9]+[[:space:]]+(INITED|DONE)' "$fresh.log" || true
    rm -rf "$fresh" "$fresh.log"
done
