#!/usr/bin/env bash
# Builds one fuzz target with clang and libFuzzer (its own build folder, build-fuzz) and runs it.
# Usage: scripts/fuzz.sh TARGET SECONDS [libFuzzer options...]
# TARGET is one of: text settings dataini language cartridgetitle zip bitmap jpeg dat zipdirectory tilepicture.
# New inputs that reach new code go to build-fuzz/corpus/TARGET (the seeds in fuzz/corpus/TARGET are read, never
# changed); an input that breaks a property or crashes is kept as build-fuzz/findings/TARGET/crash-* and the run
# ends with a non-zero status. Copy a finding into fuzz/corpus/TARGET once it is fixed, so every test run replays it.
source "$(dirname "$0")/common.sh"
if [ $# -lt 2 ]; then
    sed -n '3,7p' "$0" | sed 's/^# \{0,1\}//'
    exit 2
fi
TARGET="$1"
SECONDS_TO_RUN="$2"
shift 2
SEEDS="$ROOT/fuzz/corpus/$TARGET"
if [ ! -d "$SEEDS" ]; then
    echo "fuzz.sh: no fuzz target named $TARGET (no folder $SEEDS)" >&2
    exit 2
fi

ensure_packages "${BUILD_PACKAGES[@]}" clang
FUZZ_BUILD="${CARTLING_FUZZ_BUILD_DIR:-$ROOT/build-fuzz}"
if [ ! -f "$FUZZ_BUILD/CMakeCache.txt" ]; then
    flags="-fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
    cmake -S "$ROOT" -B "$FUZZ_BUILD" $(generator) -DCMAKE_BUILD_TYPE=Debug \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
        -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
        -DCARTLING_FUZZ=ON -DCARTLING_TESTS=OFF -DCARTLING_BENCH=OFF
fi
cmake --build "$FUZZ_BUILD" -j "$(nproc)" --target "fuzz_$TARGET"

CORPUS="$FUZZ_BUILD/corpus/$TARGET"
FINDINGS="$FUZZ_BUILD/findings/$TARGET"
mkdir -p "$CORPUS" "$FINDINGS"
# The targets write their files in a temporary folder; in memory where possible, so a write costs no disk.
WORK="$(mktemp -d "$( [ -d /dev/shm ] && [ -w /dev/shm ] && echo /dev/shm || echo "${TMPDIR:-/tmp}")/cartling-fuzz.XXXXXX")"
trap 'rm -rf "$WORK"' EXIT
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1}"
TMPDIR="$WORK" "$FUZZ_BUILD/bin/fuzz_$TARGET" -max_total_time="$SECONDS_TO_RUN" -timeout=25 -rss_limit_mb=4096 \
    -artifact_prefix="$FINDINGS/" -print_final_stats=1 "$@" "$CORPUS" "$SEEDS"
