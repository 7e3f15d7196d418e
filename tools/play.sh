#!/bin/sh
# Builds kubrelse.exe and starts it: on Linux under wine64 on your own
# display, with a Wine prefix of its own (build/play/prefix, made on first
# use). The branch for a Windows shell (MSYS2, Cygwin) starts it directly;
# it has never been run (see README.md, "Playing").
set -eu
cd "$(dirname "$0")/.."

exe=build/win64/game/shell/kubrelse.exe

case "${OS:-}$(uname -s 2>/dev/null || true)" in
*Windows_NT*|*MINGW*|*MSYS*|*CYGWIN*)
    cmake --preset win64
    cmake --build --preset win64 --target kubrelse
    exec "$exe"
    ;;
esac

tools/install-deps.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target kubrelse

if [ -z "${DISPLAY:-}" ]; then
    echo "make play: no DISPLAY; the game needs your X display (or run $exe on Windows)" >&2
    exit 1
fi

export WINE_STATE=$PWD/build/play WINE_KIND=host
tools/wine-prefix "$WINE_STATE"
exec tools/wine-in wine "$exe" </dev/null
