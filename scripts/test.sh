#!/usr/bin/env bash
# Builds Cartling and its tests from nothing (or incrementally) and runs every test; then builds and runs them
# again with AddressSanitizer and UndefinedBehaviorSanitizer (scripts/test-sanitizers.sh). Set
# CARTLING_SANITIZERS=0 to run the normal build's tests only.
source "$(dirname "$0")/common.sh"
ensure_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
build_all
(cd "$BUILD" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)")
if [ "${CARTLING_SANITIZERS:-1}" != 0 ]; then
    "$ROOT/scripts/test-sanitizers.sh"
fi
