#!/usr/bin/env bash
# entry_e2e.sh <build folder>: a person adds, edits and deletes a fill-up in the real program
# under its own X server, in a journal whose first line was ended on Linux, then adds one in an
# Arabic and in the C locale; the journal's bytes are checked after every step.
. "$(dirname "$0")/lib.sh"
e2e_begin "$1"

crlf=$'\r\n'
before="01.11.26|84000|40|20|800"$'\n'"15.11.26|84500|35|21|735${crlf}"
printf '%s' "$before" >"$app/zoltrek.dat"
today=$(date +%d.%m.%y)

expect_journal() { e2e_expect_file "$app/zoltrek.dat" "$@"; }

third_item="30 $((9 + 13 * 2 + 6))"  # the centre of list row 2 in the main window

# The third item by reading (a reload selects nothing): selected, then a right click.
edit_third_item() {
    e2e_click "$E2E_MAIN" $third_item
    e2e_click "$E2E_MAIN" $third_item 3
    dialog=$(e2e_window "Редактировать")
}

e2e_start_program

e2e_add 85000 40 20,5
expect_journal "${before}${today}|85000|40|20,5|820${crlf}" "adding a fill-up"

edit_third_item
e2e_click "$dialog" $E2E_TEXT3; e2e_key ctrl+a; e2e_type "21"
e2e_save "Редактировать"
expect_journal "${before}${today}|85000|40|21|840${crlf}" "editing its price"

edit_third_item
e2e_click "$dialog" $E2E_CHECK1
e2e_save "Редактировать"
expect_journal "$before" "deleting it"

# A refused save changes nothing: no numbers typed.
e2e_click "$E2E_MAIN" $E2E_NEW_BUTTON
dialog=$(e2e_window "Новая заправка")
e2e_click "$dialog" $E2E_OK
e2e_window "Ошибка" >/dev/null
e2e_key Return
e2e_window "Ошибка" gone
expect_journal "$before" "refusing empty numbers"

# Today in the date box's own shape, and "." where the user's separator has no byte.
add_in_locale() {
    e2e_stop_program
    E2E_LOCALE=$1 e2e_start_program
    e2e_add "$2" "$3" "$4"
}
add_in_locale ar_EG.UTF-8 85400 41.5 22.3
expect_journal "${before}${today}|85400|41.5|22.3|925.45${crlf}" "adding in ar_EG"
add_in_locale C.UTF-8 85600 40 20
expect_journal "${before}${today}|85400|41.5|22.3|925.45${crlf}${today}|85600|40|20|800${crlf}" "adding in C.UTF-8"
echo "PASS"
