#!/usr/bin/env bash
# Builds Cartling and runs it on the demo base folder in the build tree. Without a display it runs on a
# virtual one, saves a screenshot of the screen after start-up, prints its path and closes again.
source "$(dirname "$0")/common.sh"
ensure_packages "${BUILD_PACKAGES[@]}"
build_all

DEMO="$BUILD/demo"
"$ROOT/scripts/prepare-demo.sh" "$BUILD" "$DEMO"
cd "$DEMO"

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec "$BUILD/bin/cartling"
fi

echo "No display found: running Cartling on a virtual display (xvfb-run)."
ensure_packages xvfb xauth imagemagick
SHOT="$BUILD/cartling-demo.png"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    "$1" &
    pid=$!
    sleep "${CARTLING_DEMO_SECONDS:-3}"
    import -window root "$2"
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
' _ "$BUILD/bin/cartling" "$SHOT"
echo "Screenshot of Cartling after start-up: $SHOT"
