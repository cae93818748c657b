#!/usr/bin/env bash
# limits_e2e.sh <build folder>: the real program under tiny limits. With little address space it
# starts and saves, drawing in its own faces. Out of file descriptors, a window or a box that
# could not be drawn is said on standard error instead, the dialog stays usable, and once
# descriptors are free again the same dialog saves.
. "$(dirname "$0")/lib.sh"
e2e_begin "$1" prlimit

first="01.11.26|84000|40|20|800"$'\n'
printf '%s' "$first" >"$app/zoltrek.dat"
expect_journal() { e2e_expect_file "$app/zoltrek.dat" "$@"; }
said() { grep -qF "$1" "$E2E_ROOT/program.log"; }
said_refusal() { grep -q "файлов: «Ошибка»: Не удалось .*: открыто слишком много файлов\. Файл журнала не изменён\.$" "$E2E_ROOT/program.log"; }

# Descriptors: none beyond standard input, output and error (those open stay open); or plenty.
no_more_files() { prlimit --pid "$E2E_APP" --nofile=3:; }
plenty_of_files() { prlimit --pid "$E2E_APP" --nofile=1024:; }

# Two captions, drawn in the program's faces whatever the system's configuration.
faces() { e2e_move "$E2E_MAIN" Main.BG; echo "$(e2e_pixels "$E2E_MAIN" Main.XpB1) $(e2e_pixels "$E2E_MAIN" Main.XpB2)"; }

E2E_AS="prlimit --as=$((100 * 1024 * 1024))" e2e_start_program
tight=$(faces)
e2e_add 84500 30 20
second="$first$E2E_TODAY|84500|30|20|600"$'\r\n'
expect_journal "$second" "a save in 100 MB of address space"
e2e_stop_program

e2e_start_program
[ "$(faces)" = "$tight" ] || e2e_fail "the texts look otherwise in 100 MB"
e2e_click "$E2E_MAIN" Main.XpB1
dialog=$(e2e_open "Новая заправка")
e2e_click "$dialog" fNew.Text1; e2e_type "$dialog" 85000
e2e_click "$dialog" fNew.Text2; e2e_type "$dialog" 25
e2e_click "$dialog" fNew.Text3; e2e_type "$dialog" 20
no_more_files
e2e_click "$dialog" fNew.XpB1
e2e_wait "the refusal on standard error" said_refusal
[ "$(cat "$app/zoltrek.dat"; echo x)" = "${second}x" ] || e2e_fail "the journal changed"
e2e_not e2e_find "Ошибка" || e2e_fail "a box was mapped"
plenty_of_files
e2e_click "$dialog" fNew.XpB1
e2e_gone "Новая заправка"
expect_journal "$second$E2E_TODAY|85000|25|20|500"$'\r\n' "the same dialog, descriptors free again"

no_more_files
e2e_click "$E2E_MAIN" Main.XpB1
e2e_wait "the unshown window on standard error" said "файлов: окно «Новая заправка»"
plenty_of_files
e2e_add 85500 30 20
expect_journal "$second$E2E_TODAY|85000|25|20|500"$'\r\n'"$E2E_TODAY|85500|30|20|600"$'\r\n' "the window, descriptors free again"
echo "ok"
