#!/bin/sh
# Runs a Windows program under Wine, in the Wine prefix WINEPREFIX (the Windows build's own unless
# set), without Wine's offers to install Mono and Gecko, and quiet. The prefix is made by the
# first run (about 20 s), once, however many runs start together.
set -eu
: "${WINEPREFIX:=$(cd "$(dirname "$0")/../.." && pwd)/build-windows/wine}"
export WINEPREFIX WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
if [ ! -f "$WINEPREFIX/.made" ]; then
  mkdir -p "$WINEPREFIX"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.made" ]; then
      "$wine" wineboot --init >/dev/null 2>&1
      /usr/lib/wine/wineserver --wait
      touch "$WINEPREFIX/.made"
    fi
  ) 9>"$WINEPREFIX.lock"
fi
exec "$wine" "$@"
