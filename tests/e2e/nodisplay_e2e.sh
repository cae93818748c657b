#!/usr/bin/env bash
# nodisplay_e2e.sh <build folder>: started where there is no display, the program says so in one
# line on standard error and ends with status 1 (the toolkit alone would abort); asked for its help
# or version it answers there all the same, and an argument it does not know is refused with
# status 2.
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
# run <arguments...>: the exit status, then what it printed on standard output and error.
run() {
    local out
    out=$(env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY= "$exe" "$@" 2>&1 </dev/null)
    printf '%s\n%s' "$?" "$out"
}
for asked in "--help:0:Использование: zoltrek" "-v:0:Zoltrek Calculator " \
             "--frobnicate:2:zoltrek: неизвестный аргумент «--frobnicate»; см. zoltrek --help"; do
    IFS=: read -r argument code text <<<"$asked"
    said=$(run "$argument")
    [ "${said%%$'\n'*}" = "$code" ] || fail "$argument: exit status ${said%%$'\n'*}"
    case "${said#*$'\n'}" in "$text"*) ;; *) fail "$argument: ${said#*$'\n'}" ;; esac
done
echo "ok"
