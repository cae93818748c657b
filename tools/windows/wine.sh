#!/bin/sh
# Runs a Windows program under Wine, in a Wine prefix of its own beside the build (made on the
# first run, about 20 s), without Wine's offers to install Mono and Gecko, and quiet.
set -eu
: "${WINEPREFIX:=$(cd "$(dirname "$0")/../.." && pwd)/build-windows/wine}"
export WINEPREFIX WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$WINEPREFIX"
exec /usr/lib/wine/wine64 "$@"
