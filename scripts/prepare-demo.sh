#!/usr/bin/env bash
# Prepares the demo base folder: adds what is missing, never overwrites what the user changed.
# Usage: prepare-demo.sh <build folder> <demo folder>
set -euo pipefail
BUILD="$1"
DEMO="$2"
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
TOOL="$BUILD/bin/cartling-demo"
if [ ! -x "$TOOL" ]; then
    echo "prepare-demo: $TOOL is missing; build the project first." >&2
    exit 1
fi
"$TOOL" "$DEMO" "$BUILD/bin" "$ROOT/data"
