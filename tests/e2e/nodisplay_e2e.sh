#!/usr/bin/env bash
# nodisplay_e2e.sh <build folder>: started where there is no display, the program says so in one
# line on standard error and ends with status 1 (the toolkit alone would abort).
set -u
exe="$1/zoltrek"
fail() { echo "FAIL: $*"; exit 1; }
for display in "" ":4321"; do
  err=$(env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY="$display" "$exe" 2>&1 >/dev/null </dev/null)
  code=$?
  [ "$code" = 1 ] || fail "DISPLAY='$display': exit status $code"
  [ "$(printf '%s\n' "$err" | wc -l)" = 1 ] || fail "DISPLAY='$display': not one line: $err"
  case "$err" in "zoltrek: no display to open the window on (could not connect to display"*) ;;
    *) fail "DISPLAY='$display': $err" ;; esac
done
echo "ok"
