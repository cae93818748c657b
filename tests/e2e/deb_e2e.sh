#!/usr/bin/env bash
# deb_e2e.sh <build folder> <package folder>: the Debian package that `make deb` built, unpacked as
# dpkg would lay it out; its program, run by an ordinary user, saves a fill-up in the user's data
# folder and nowhere among the programs.
. "$(dirname "$0")/lib.sh"
packages=$(cd "$2" && pwd)
e2e_begin "$1"
fail() { echo "FAIL: $*"; exit 1; }
chmod 755 "$E2E_ROOT"
root="$E2E_ROOT/root"
dpkg-deb -x "$packages"/zoltrek_*_amd64.deb "$root" || fail "dpkg-deb -x"
[ -x "$root/usr/bin/zoltrek" ] || fail "no usr/bin/zoltrek in the package"
[ -s "$root/usr/share/man/man1/zoltrek.1.gz" ] || fail "no manual page in the package"
[ "$("$root/usr/bin/zoltrek" --version)" = "Zoltrek Calculator $(dpkg-deb -f "$packages"/zoltrek_*_amd64.deb Version)" ] ||
    fail "the packaged program's version is not the package's"

home="$E2E_ROOT/home"
mkdir "$home"
if [ "$(id -u)" = 0 ]; then
    chown 65534:65534 "$home"
    E2E_AS="setpriv --reuid=65534 --regid=65534 --clear-groups env HOME=$home"
else
    E2E_AS="env HOME=$home"
fi
unset XDG_DATA_HOME
E2E_EXE="$root/usr/bin/zoltrek" e2e_start_program
e2e_add 85000 40 20
e2e_expect_file "$home/.local/share/zoltrek/zoltrek.dat" "$E2E_TODAY|85000|40|20|800"$'\r\n' \
    "the packaged program's first save"
[ -z "$(find "$root" -name zoltrek.dat)" ] || fail "a journal among the programs"
echo "PASS"
