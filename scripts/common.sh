# Shared by the set-up commands: install what is missing, then configure and build incrementally.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${CARTLING_BUILD_DIR:-$ROOT/build}"

BUILD_PACKAGES=(cmake g++ ninja-build lld pkg-config qt6-base-dev libzip-dev zlib1g-dev libjpeg62-turbo-dev libfontconfig-dev googletest libgtest-dev zip unzip)
# The tests also check the menu entry and the metainfo with the desktops' own validators.
TEST_PACKAGES=(desktop-file-utils appstream)

# ensure_packages pkg...: installs, through apt-get, those of the Debian packages that are missing.
ensure_packages() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# The compiler goes through ccache when it is installed, so a second build folder or a rebuild after a switch of
# branches compiles only what changed.
compiler_launcher() {
    if command -v ccache >/dev/null; then echo "-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"; fi
}

# Ninja keeps both cores busy across targets where make leaves gaps; make where Ninja is missing.
generator() {
    if command -v ninja >/dev/null; then echo "-GNinja"; fi
}

# The source files of each target are compiled in batches of up to 16 (a unity build), which halves the build
# from nothing; the benchmarks have a build of their own (scripts/bench.sh).
build_all() {
    if [ ! -f "$BUILD/CMakeCache.txt" ]; then
        cmake -S "$ROOT" -B "$BUILD" $(generator) -DCMAKE_BUILD_TYPE=Release -DCMAKE_UNITY_BUILD=ON -DCMAKE_UNITY_BUILD_BATCH_SIZE=16 -DCARTLING_BENCH=OFF \
            $(compiler_launcher)
    fi
    cmake --build "$BUILD" -j "$(nproc)"
}
