#!/usr/bin/env bash
# clean_e2e.sh <source folder>: `make clean` removes what the builds made and keeps every journal
# and every copy of one the user made beside it, byte for byte, and says so.
set -eu
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp "$1/Makefile" "$scratch/"
cd "$scratch"
journal=$'01.11.26|84000|40|20|800\r\n15.11.26|84500|35|21|735\n'
mkdir -p build/CMakeFiles/zoltrek.dir build/tests/e2e build/saved/zoltrek.dat build-fuzz/corpus
for f in build/zoltrek build/CMakeCache.txt build/CMakeFiles/zoltrek.dir/main.o \
  build/.zoltrek.dat.Ab12Cd build-fuzz/corpus/x build/zoltrek.da; do
  echo built >"$f"
done
kept="build/zoltrek.dat build/tests/e2e/zoltrek.dat build/saved/zoltrek.dat/notes build-fuzz/zoltrek.dat
  build/zoltrek.dat.bak build/zoltrek.dat~ build/ZOLTREK.DAT"
for f in $kept; do
  printf '%s' "$journal" >"$f"
done
ln -s ../outside/zoltrek.dat build/tests/zoltrek.dat

make -s clean >"$scratch/clean.log"

left=$(find build build-fuzz | sort | tr '\n' ' ')
expected="build build-fuzz build-fuzz/zoltrek.dat build/ZOLTREK.DAT build/saved build/saved/zoltrek.dat build/saved/zoltrek.dat/notes build/tests build/tests/e2e build/tests/e2e/zoltrek.dat build/tests/zoltrek.dat build/zoltrek.dat build/zoltrek.dat.bak build/zoltrek.dat~ "
[ "$left" = "$expected" ] || { echo "FAIL: left after clean: $left"; exit 1; }
for f in $kept; do
  [ "$(cat "$f"; echo x)" = "${journal}x" ] || { echo "FAIL: $f changed"; exit 1; }
done
for f in build/zoltrek.dat build/ZOLTREK.DAT build/zoltrek.dat~; do
  grep -qxF "Kept $f" "$scratch/clean.log" || { echo "FAIL: not told of $f"; cat "$scratch/clean.log"; exit 1; }
done

# Nothing to keep: the folders go.
rm -rf build build-fuzz; mkdir -p build/x; echo built >build/x/y
make -s clean
[ ! -e build ] || { echo "FAIL: an empty build folder stays"; exit 1; }
echo PASS
