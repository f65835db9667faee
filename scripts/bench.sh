#!/usr/bin/env bash
# Builds the benchmarks in a Release build of their own (build-bench) and runs every one of them, then prints
# one table of every figure: what Cartling took, the floor it is held against, their ratio, the target and OK or
# TOO SLOW. Each benchmark measures its ratios in one run, the two sides taken in turns, as medians of at least
# seven rounds. Exits non-zero when a figure misses its target.
# Usage: scripts/bench.sh [benchmark...]   e.g. scripts/bench.sh titlelist dataini   (default: all of them)
# Benchmarks: romlist titlelist dataini jpeg archive filter screenshot_tick collection collection_report picturegrid
# startup
source "$(dirname "$0")/common.sh"
# The start-up benchmark watches windows appear on a virtual X display.
BENCH_PACKAGES=(libxcb1-dev xvfb xauth)
ensure_packages "${BUILD_PACKAGES[@]}" "${BENCH_PACKAGES[@]}"

BENCH_BUILD="${CARTLING_BENCH_BUILD_DIR:-$ROOT/build-bench}"
if [ ! -f "$BENCH_BUILD/CMakeCache.txt" ]; then
    cmake -S "$ROOT" -B "$BENCH_BUILD" $(generator) -DCMAKE_BUILD_TYPE=Release -DCARTLING_TESTS=OFF -DCARTLING_BENCH=ON \
        $(compiler_launcher) >/dev/null
fi
cmake --build "$BENCH_BUILD" -j "$(nproc)" >/dev/null

ALL=(romlist titlelist dataini jpeg archive filter screenshot_tick savecopies collection collection_report picturegrid startup)
CHOSEN=("$@")
[ ${#CHOSEN[@]} -eq 0 ] && CHOSEN=("${ALL[@]}")

LOG="$BENCH_BUILD/bench.log"
: >"$LOG"
bin="$BENCH_BUILD/bin"
run_one() {
    echo "== $1" | tee -a "$LOG"
    case "$1" in
    collection)
        # Verifying plain ROMs needs a MiB of room per ROM: a thousand keep it within the page cache.
        "$bin/bench_collection" dat || true
        "$bin/bench_collection" zips 10000 || true
        "$bin/bench_collection" roms 1000 || true
        ;;
    startup) "$ROOT/bench/startup/run" "$BENCH_BUILD" 15 || true ;;
    *)
        if [ -x "$bin/bench_$1" ]; then
            "$bin/bench_$1" || true
        else
            echo "BENCH $1|not built|-|-|-"
        fi
        ;;
    esac 2>&1 | tee -a "$LOG"
}
for name in "${CHOSEN[@]}"; do
    run_one "$name" || true
done

echo
echo "Benchmarks on $(nproc) cores, $(free -g | awk '/^Mem:/ {print $2}') GiB, $(date -u '+%Y-%m-%d %H:%M UTC')"
grep -a '^BENCH ' "$LOG" | sed 's/^BENCH //' | awk -F'|' '
    BEGIN {
        printf "%-52s %14s %16s %6s %7s  %s\n", "Figure", "Cartling", "Floor", "Ratio", "Target", "Result"
        bad = 0
    }
    {
        target = $5; sub(/^<=/, "", target)
        if ($4 == "-" || $4 == "")
            result = "NOT RUN"
        else if ($4 + 0 <= target + 0)
            result = "OK"
        else
            result = "TOO SLOW"
        if (result != "OK")
            bad = 1
        printf "%-52s %14s %16s %6s %7s  %s\n", $1, $2, $3, $4, $5, result
    }
    END { exit bad }'
