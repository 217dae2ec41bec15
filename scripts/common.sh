# Shared by ./run and ./test: where the build lives and how it is configured.
# shellcheck shell=bash

MORVEX_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
MORVEX_BUILD="${MORVEX_BUILD:-$MORVEX_ROOT/build}"
MORVEX_JOBS="${MORVEX_JOBS:-$(nproc)}"

# Paths below the checkout are hashed relative to it, so a second clone (CI's) reuses the cache.
export CCACHE_BASEDIR="$MORVEX_ROOT"
export CCACHE_NOHASHDIR=1

morvex_configure() {
  cmake -S "$MORVEX_ROOT" -B "$MORVEX_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMORVEX_BUILD_BENCH=ON "$@" >/dev/null
}

morvex_build() {
  cmake --build "$MORVEX_BUILD" --parallel "$MORVEX_JOBS" "$@"
}
