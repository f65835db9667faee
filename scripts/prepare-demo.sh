#!/usr/bin/env bash
# Prepares the demo base folder: adds what is missing, never overwrites what the user changed.
set -euo pipefail
BUILD="$1"
DEMO="$2"
mkdir -p "$DEMO"
