#!/usr/bin/env bash
# install_e2e.sh <source folder> <build folder>: `make install` stages the program under a prefix
# with a space; the desktop entry and the software centres' description validate and the entry
# starts the installed program; `make install` keeps the debugging symbols and `make
# install-strip` strips them. A user adds a fill-up with the installed program, and it goes to
# their data folder; with a portable copy it stays beside the program. `make uninstall` removes
# what the install laid out, and keeps a journal.
. "$(dirname "$0")/lib.sh"
source=$(cd "$1" && pwd)
for tool in desktop-file-validate appstreamcli; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing (make test installs it)"; exit 77; }
done
e2e_begin "$2"
chmod 755 "$E2E_ROOT"
fail() { echo "FAIL: $*"; exit 1; }
id=example.zoltrek.Calculator

# to_make <target> [VARIABLE=value...]: make in the source folder, on this build.
to_make() {
    env -u MAKEFLAGS -u MAKELEVEL -u MFLAGS make -s -C "$source" "$1" BUILD="$build" "${@:2}" \
        >"$E2E_ROOT/make.log" 2>&1 || { cat "$E2E_ROOT/make.log"; fail "make $1"; }
}
# install_to <prefix> [destdir]
install_to() { to_make install PREFIX="$1" DESTDIR="${2:-}"; }

prefix="/opt/zoltrek calculator"
install_to "$prefix" "$E2E_ROOT/stage"
root="$E2E_ROOT/stage$prefix"
[ -x "$root/bin/zoltrek" ] || fail "no $root/bin/zoltrek"
for size in 16 32 48 64 128 256; do
    png="$root/share/icons/hicolor/${size}x${size}/apps/$id.png"
    [ "$(od -An -tu4 --endian=big -j16 -N4 "$png" | tr -d ' ')" = "$size" ] || fail "icon $png"
done
desktop="$root/share/applications/$id.desktop"
desktop-file-validate "$desktop" || fail "desktop entry"
appstreamcli validate-tree --no-net "$root" >"$E2E_ROOT/appstream.log" 2>&1 ||
    { cat "$E2E_ROOT/appstream.log"; fail "metainfo"; }
# Exec as a launcher reads it: the string's escapes, then the quoting, then "%%".
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
exec_line=${exec_line//\\\\/\\}
eval "set -- ${exec_line//%%/%}"
[ "$#:$1" = "1:$prefix/bin/zoltrek" ] || fail "Exec=$exec_line"
echo "ok: the staged install validates"

# A prefix no desktop entry could start the program from is refused in one line, with nothing
# laid out; "$(id)" and "${HOME}" in a folder's name are taken as they stand.
for odd in $'tab\tx' 'per%cent' 'back\slash' $'latin\xe9' $'line\nbreak' 'space '; do
    if env -u MAKEFLAGS -u MAKELEVEL -u MFLAGS make -s -C "$source" install BUILD="$build" \
        PREFIX="$E2E_ROOT/odd/$odd" >"$E2E_ROOT/make.log" 2>&1; then
        fail "make install took the prefix \"$odd\""
    fi
    grep -q "make install: PREFIX holds .*; choose another folder" "$E2E_ROOT/make.log" ||
        { cat "$E2E_ROOT/make.log"; fail "no reason given for the prefix \"$odd\""; }
done
[ ! -e "$E2E_ROOT/odd" ] || fail "an odd prefix laid something out"
to_make install PREFIX="$E2E_ROOT/"'$(id) ${HOME}'
[ -x "$E2E_ROOT/"'$(id) ${HOME}/bin/zoltrek' ] || fail "the prefix was not taken as it stands"
echo "ok: odd prefixes refused, or taken as they stand"
for doc in LICENSE FONTS FONTS-COPYRIGHT LGPL-2.1; do
    [ -s "$root/share/doc/zoltrek/$doc" ] || fail "no $doc in share/doc/zoltrek"
done
warnings=$(LC_ALL=C.UTF-8 groff -man -Tutf8 -K utf8 -ww -z "$root/share/man/man1/zoltrek.1" 2>&1)
[ -z "$warnings" ] && [ -s "$root/share/man/man1/zoltrek.1" ] || fail "the manual page: $warnings"
echo "ok: the manual page and the licences"
readelf -S "$root/bin/zoltrek" | grep -q '\.debug_info' || fail "make install stripped the program"
to_make install-strip PREFIX="$prefix" DESTDIR="$E2E_ROOT/stripped"
! readelf -S "$E2E_ROOT/stripped$prefix/bin/zoltrek" | grep -q '\.debug_info' || fail "install-strip"
echo "ok: make install keeps the debugging symbols, make install-strip strips them"

# Uninstalled, the last install is gone but for its folders and a journal put beside it.
stripped="$E2E_ROOT/stripped$prefix"
touch "$stripped/bin/zoltrek.dat"
to_make uninstall DESTDIR="$E2E_ROOT/stripped"
grep -qxF "Removed $stripped/bin/zoltrek" "$E2E_ROOT/make.log" || { cat "$E2E_ROOT/make.log"; fail "make uninstall did not say it removed the program"; }
left=$(find "$E2E_ROOT/stripped" -type f)
[ "$left" = "$stripped/bin/zoltrek.dat" ] || fail "make uninstall left $left"
echo "ok: make uninstall removes what the install laid out, and no journal"

# An ordinary user with a home of their own; root would be allowed to write anywhere.
home="$E2E_ROOT/home"
mkdir "$home"
if [ "$(id -u)" = 0 ]; then
    chown 65534:65534 "$home"
    as_user="setpriv --reuid=65534 --regid=65534 --clear-groups env HOME=$home"
else
    chmod -R a-w "$root/bin"
    as_user="env HOME=$home"
fi
unset XDG_DATA_HOME

# run <what> <extra environment> <exe> <reading>: adds one fill-up in a fresh start of <exe>.
run() {
    E2E_AS="$as_user $2" E2E_EXE="$3" e2e_start_program
    e2e_add "$4" 40 20
    e2e_stop_program
}
line() { printf '%s|%s|40|20|800' "$E2E_TODAY" "$1"; }
crlf=$'\r\n'

run "installed" "" "$root/bin/zoltrek" 85000
e2e_expect_file "$home/.local/share/zoltrek/zoltrek.dat" "$(line 85000)$crlf" "the installed program's first save"
[ "$(stat -c %a "$home/.local/share/zoltrek")" = 700 ] || fail "the data folder is open to others"
[ ! -e "$root/bin/zoltrek.dat" ] || fail "a journal beside the installed program"
run "installed" "XDG_DATA_HOME=$home/data" "$root/bin/zoltrek" 85500
e2e_expect_file "$home/data/zoltrek/zoltrek.dat" "$(line 85500)$crlf" "a save with XDG_DATA_HOME set"

# Installed into a folder its user may write (their own, or any as root), the program still keeps
# the journal in the user's data folder, not among the programs.
install_to "$E2E_ROOT/mine"
E2E_AS="env HOME=$E2E_ROOT/mine-home" E2E_EXE="$E2E_ROOT/mine/bin/zoltrek" e2e_start_program
e2e_add 85700 40 20
e2e_stop_program
e2e_expect_file "$E2E_ROOT/mine-home/.local/share/zoltrek/zoltrek.dat" "$(line 85700)$crlf" \
    "a save of a program installed where its user may write"
[ ! -e "$E2E_ROOT/mine/bin/zoltrek.dat" ] || fail "a journal among the programs"

# A portable copy keeps its journal beside it; the user's data folder is left alone.
to_make portable DIR="$E2E_ROOT/portable copy"
[ "$(id -u)" != 0 ] || chown -R 65534:65534 "$E2E_ROOT/portable copy"
run "portable" "" "$E2E_ROOT/portable copy/zoltrek" 86000
e2e_expect_file "$E2E_ROOT/portable copy/zoltrek.dat" "$(line 86000)$crlf" "a portable copy's save"
e2e_expect_file "$home/.local/share/zoltrek/zoltrek.dat" "$(line 85000)$crlf" "the data folder left alone"
# Started through the dynamic loader, which the system then names as the executable.
loader=$(readelf -l "$E2E_ROOT/portable copy/zoltrek" | sed -n 's/.*interpreter: \(.*\)]$/\1/p')
printf '#!/bin/sh\nexec "%s" "%s"\n' "$loader" "$E2E_ROOT/portable copy/zoltrek" >"$E2E_ROOT/via-loader"
chmod 755 "$E2E_ROOT/via-loader"
run "through the loader" "" "$E2E_ROOT/via-loader" 86500
e2e_expect_file "$E2E_ROOT/portable copy/zoltrek.dat" "$(line 86000)$crlf$(line 86500)$crlf" \
    "a save of the portable copy started through the loader"
echo "PASS"
