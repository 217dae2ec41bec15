# Shared by ./run and ./test: where the build lives and how it is configured.
# shellcheck shell=bash

MORVEX_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
MORVEX_BUILD="${MORVEX_BUILD:-$MORVEX_ROOT/build}"
MORVEX_JOBS="${MORVEX_JOBS:-$(nproc)}"

# The Windows cross-build: its build folder, the libraries built for it and the Wine prefix its
# test runs in, the last two made once per machine.
MORVEX_WINDOWS_BUILD="${MORVEX_WINDOWS_BUILD:-$MORVEX_ROOT/build-windows}"
MORVEX_WINDOWS_DEPS="${MORVEX_WINDOWS_DEPS:-${XDG_CACHE_HOME:-$HOME/.cache}/morvex/mingw-deps}"
MORVEX_WINE_PREFIX="${MORVEX_WINE_PREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/morvex/wine}"

# Paths below the checkout are hashed relative to it, so a second clone (CI's) reuses the cache.
export CCACHE_BASEDIR="$MORVEX_ROOT"
export CCACHE_NOHASHDIR=1

morvex_configure() {
  cmake -S "$MORVEX_ROOT" -B "$MORVEX_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMORVEX_BUILD_BENCH=ON "$@" >/dev/null
}

morvex_build() {
  cmake --build "$MORVEX_BUILD" --parallel "$MORVEX_JOBS" "$@"
}

# Installs the Debian packages named that are not installed yet; quiet when none are missing.
morvex_install_packages() {
  local missing=() p
  for p in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$'; then
      missing+=("$p")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0

  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "install: ${missing[*]}"
  DEBIAN_FRONTEND=noninteractive $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}
