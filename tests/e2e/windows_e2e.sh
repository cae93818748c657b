#!/usr/bin/env bash
# windows_e2e.sh <Linux build folder> <Windows build folder>: the Windows program under Wine, in a
# folder named in Cyrillic with a space, on a journal whose first line was ended on Linux. A
# fill-up is added, edited and deleted through the real dialog, the journal's bytes checked after
# each; the Linux program then reads and changes what the Windows one wrote, and the other way
# round; and each window of the two programs, on one journal, is compared pixel by pixel.
. "$(dirname "$0")/lib.sh"
e2e_begin "$1" xwininfo
winbuild=$(cd "$2" && pwd)
here=$(cd "$(dirname "$0")/../.." && pwd)
export WINEPREFIX=$winbuild/wine
winapp="$E2E_ROOT/Мои программы"
mkdir "$winapp"
cp "$winbuild/zoltrek.exe" "$winapp/"
printf '#!/bin/sh\nexec "%s" "%s"\n' "$here/tools/windows/wine.sh" "$winapp/zoltrek.exe" \
    >"$E2E_ROOT/zoltrek-windows"
chmod +x "$E2E_ROOT/zoltrek-windows"

# The program centres each window by the frame that Windows gives it, which Wine without a window
# manager does not draw: the window is waited for where it stands.
e2e_open() { e2e_window "$1"; }
# Nor does it give a window the X server's focus: the keys go to the window under the pointer,
# where every key of this script follows a click.
e2e_focused() { :; }

crlf=$'\r\n'
before="01.11.26|84000|40|20|800"$'\n'"15.11.26|84500|35|21|735${crlf}"
added="${E2E_TODAY}|85000|40|20,5|820${crlf}" edited="${E2E_TODAY}|85000|40|21|840${crlf}"

# linux, windows: which program the next start runs, and on which journal.
linux() { E2E_EXE=$app/zoltrek; journal=$app/zoltrek.dat; }
windows() { E2E_EXE=$E2E_ROOT/zoltrek-windows; journal=$winapp/zoltrek.dat; }
expect_journal() { e2e_expect_file "$journal" "$@"; }

# edit <row>: the row selected, then a right click on it: the edit dialog.
edit() {
    e2e_click "$E2E_MAIN" "Main.List1.row$1"
    e2e_click "$E2E_MAIN" "Main.List1.row$1" 3
    dialog=$(e2e_open "Редактировать")
}
save() { e2e_click "$dialog" fNew.XpB1; e2e_gone "$1"; }

# A window program (no console) with the program's icon, that needs no library but Windows' own.
headers=$(x86_64-w64-mingw32-objdump -p "$winbuild/zoltrek.exe")
grep -q 'Subsystem.*(Windows GUI)' <<<"$headers" || e2e_fail "zoltrek.exe is not a window program"
grep -q 'IDI_ICON1' <<<"$headers" || e2e_fail "zoltrek.exe has no icon"
! grep -iE 'DLL Name: (lib|qt)' <<<"$headers" || e2e_fail "zoltrek.exe needs the libraries above"
echo "ok: zoltrek.exe is a window program with its icon, needing only Windows"

# The Windows program adds, edits and deletes on a journal the Linux one began.
windows
printf '%s' "$before" >"$journal"
e2e_start_program
echo "ok: the Windows program started under Wine"
e2e_add 85000 40 20,5
expect_journal "${before}${added}" "adding a fill-up under Wine"
edit 2
e2e_click "$dialog" fNew.Text3; e2e_key "$dialog" ctrl+a; e2e_type "$dialog" 21
save "Редактировать"
expect_journal "${before}${edited}" "editing its price under Wine"
edit 2
e2e_click "$dialog" fNew.Check1
save "Редактировать"
expect_journal "$before" "deleting it under Wine"

# Each program writes what the other reads: the Linux one edits the line the Windows one added,
# and the Windows one deletes the line the Linux one edited.
e2e_add 85000 40 20,5
expect_journal "${before}${added}" "adding a fill-up under Wine"
e2e_stop_program
linux
cp "$winapp/zoltrek.dat" "$journal"
e2e_start_program
edit 2
e2e_click "$dialog" fNew.Text3; e2e_key "$dialog" ctrl+a; e2e_type "$dialog" 21
save "Редактировать"
expect_journal "${before}${edited}" "the Linux program editing the Windows program's line"
e2e_stop_program
windows
cp "$app/zoltrek.dat" "$journal"
e2e_start_program
edit 2
e2e_click "$dialog" fNew.Check1
save "Редактировать"
expect_journal "$before" "the Windows program deleting the Linux program's line"
e2e_stop_program

# pictures <name>: the main window with the second fill-up selected, the edit dialog of the
# third and the About window, as PPM files <name>-main, -edit and -about, on one journal.
pictures() {
    local about was
    printf '%s' "${before}${edited}" >"$journal"
    e2e_start_program
    was=$(e2e_pixels "$E2E_MAIN" Main.Picture1)
    e2e_click "$E2E_MAIN" Main.List1.row1
    e2e_changes "$E2E_MAIN" Main.Picture1 "$was"
    e2e_move "$E2E_MAIN" Main.BG
    e2e_shot "$E2E_MAIN" "$E2E_ROOT/$1-main.ppm"
    edit 2
    e2e_shot "$dialog" "$E2E_ROOT/$1-edit.ppm"
    # The toolkit's own menu of a text box, in Russian wherever it runs; its title is the program's.
    # Its texts only: the keys for "Повторить действие" are each system's own.
    e2e_click "$dialog" fNew.Text3 3
    menu=$(e2e_window zoltrek)
    XDG_RUNTIME_DIR="$E2E_ROOT/runtime" "$build/tools/screenshot/zoltrek_screenshot" \
        "$E2E_ROOT/$1-menu.ppm" "$menu" 0 0 150 151
    xdotool key Escape
    e2e_click "$dialog" fNew.XpB2
    e2e_gone "Редактировать"
    e2e_click "$E2E_MAIN" Main.Label6
    about=$(e2e_open "О программе")
    e2e_move "$about" About.XpB1 0 40
    e2e_shot "$about" "$E2E_ROOT/$1-about.ppm"
    e2e_stop_program
}

# differing <a.ppm> <b.ppm> [left top width height]: outside the rectangle, the pixels that
# differ by more than 2 of 255 in a colour, as "count left,top-right,bottom", then how many differ
# by less; a size that differs is said.
differing() {
    [ "$(head -3 "$1" | tail -2)" = "$(head -3 "$2" | tail -2)" ] ||
        { echo "sizes $(sed -n 2p "$1") and $(sed -n 2p "$2")"; return; }
    local width skip
    width=$(sed -n 2p "$1" | cut -d' ' -f1) skip=$(head -3 "$1" | wc -c)
    cmp -l <(tail -c +$((skip + 1)) "$1") <(tail -c +$((skip + 1)) "$2") |
        awk -v w="$width" -v r="${3:-0 0 0 0}" '
            function oct(s,  v, i) { for (i = 1; i <= length(s); i++) v = v * 8 + substr(s, i, 1); return v }
            BEGIN { split(r, x, " ") }
            { p = int(($1 - 1) / 3); px = p % w; py = int(p / w)
              if (px >= x[1] && px < x[1] + x[3] && py >= x[2] && py < x[2] + x[4]) next
              d = oct($2) - oct($3); if (d < 0) d = -d
              if (d <= 2) { if (!(p in near)) { near[p]; m++ } next }
              if (!(p in seen)) { seen[p]; n++
                  if (n == 1 || px < l) l = px; if (n == 1 || px > rr) rr = px
                  if (n == 1 || py < t) t = py; if (n == 1 || py > b) b = py } }
            END { print n + 0, (n ? l "," t "-" rr "," b : "-"), m + 0 }'
}

windows
pictures windows
linux
pictures linux
# The clock shows the seconds of each start. The stretched background may come out a grey level
# or two apart on some rows: the toolkit's smooth scaling rounds differently in the two builds.
for name in main edit menu about; do
    except=""
    [ "$name" != main ] || except=$(e2e_place Main.Label9)
    diff=$(differing "$E2E_ROOT/linux-$name.ppm" "$E2E_ROOT/windows-$name.ppm" "$except")
    if [ "${diff%% *}" != 0 ]; then
        cp "$E2E_ROOT/linux-$name.ppm" "$E2E_ROOT/windows-$name.ppm" "$winbuild/"
        e2e_fail "the $name window under Wine differs from Linux: $diff (see $winbuild/*-$name.ppm)"
    fi
    echo "ok: the $name window is the same pixels as on Linux (${diff##* } a grey level or two apart)"
done
echo "PASS"
