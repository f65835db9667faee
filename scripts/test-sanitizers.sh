#!/usr/bin/env bash
# Builds the tests with AddressSanitizer and UndefinedBehaviorSanitizer (a Debug build without optimisation, which
# compiles in two thirds of the time -O1 takes, with line tables only, a unity build without the benchmarks and the
# fuzz corpus replays, which the normal run has, in its own build folder build-asan) and runs every test, leak
# checks included. scripts/test.sh runs it after the normal tests.
source "$(dirname "$0")/common.sh"
ensure_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
SANITIZER_BUILD="${CARTLING_SANITIZER_BUILD_DIR:-$ROOT/build-asan}"
if [ ! -f "$SANITIZER_BUILD/CMakeCache.txt" ]; then
    cmake -S "$ROOT" -B "$SANITIZER_BUILD" $(generator) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g1 -O0" \
        -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer" \
        -DCMAKE_UNITY_BUILD=ON -DCMAKE_UNITY_BUILD_BATCH_SIZE=16 -DCARTLING_BENCH=OFF -DCARTLING_FUZZ_REPLAY=OFF $(compiler_launcher)
fi
cmake --build "$SANITIZER_BUILD" -j "$(nproc)"
cd "$SANITIZER_BUILD"
# Every program the tests start (the stand-in emulator, Cartling itself) is built the same way and checked too.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"
