#!/usr/bin/env bash
# entry_e2e.sh <build folder>: a person adds, edits and deletes a fill-up in the real program
# under its own X server; the journal's bytes are checked after every step.
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"
build=$(cd "$1" && pwd)
E2E_SCREENSHOT="$build/tests/e2e/zoltrek_screenshot"
e2e_need
app=$(mktemp -d)
trap 'e2e_stop; rm -rf "$app"' EXIT
e2e_start_x
cp "$build/zoltrek" "$app/"

crlf=$'\r\n'
before="01.11.26|84000|40|20|800${crlf}15.11.26|84500|35|21|735${crlf}"
printf '%s' "$before" >"$app/zoltrek.dat"
today=$(date +%d.%m.%y)

expect_journal() {
    local want=$1 what=$2 got
    got=$(cat "$app/zoltrek.dat"; echo x)
    got=${got%x}
    if [ "$got" != "$want" ]; then
        echo "FAIL after $what: the journal holds"; od -c "$app/zoltrek.dat" | head -20
        echo "expected"; printf '%s' "$want" | od -c | head -20
        e2e_shot "$E2E_MAIN" "$build/e2e-failure.png" || true
        exit 1
    fi
    echo "ok: $what"
}

# Client coordinates in the main window and the dialog, from their layouts.
row() { echo $((9 + 13 * $1 + 6)); }  # the centre of list row N
new_button="148 20"
text1="104 45"; text2="104 69"; text3="104 93"; check1="26 146"; ok="40 168"

e2e_start_program "$app"

# A new fill-up: the button, the three numbers, "ОК".
e2e_click "$E2E_MAIN" $new_button
dialog=$(e2e_window "Новая заправка")
e2e_click "$dialog" $text1; e2e_type "85000"
e2e_click "$dialog" $text2; e2e_type "40"
e2e_click "$dialog" $text3; e2e_type "20,5"
e2e_click "$dialog" $ok
e2e_no_window "Новая заправка"
added="${today}|85000|40|20,5|820"
expect_journal "${before}${added}${crlf}" "adding a fill-up"

# Edit it: select its item (the third by reading), right click, change the price.
e2e_click "$E2E_MAIN" 30 "$(row 2)"
e2e_click "$E2E_MAIN" 30 "$(row 2)" 3
dialog=$(e2e_window "Редактировать")
e2e_click "$dialog" $text3; e2e_key ctrl+a; e2e_type "21"
e2e_click "$dialog" $ok
e2e_no_window "Редактировать"
expect_journal "${before}${today}|85000|40|21|840${crlf}" "editing its price"

# Delete it: the same item (a reload selects nothing), the delete box ticked, "ОК".
e2e_click "$E2E_MAIN" 30 "$(row 2)"
e2e_click "$E2E_MAIN" 30 "$(row 2)" 3
dialog=$(e2e_window "Редактировать")
e2e_click "$dialog" $check1
e2e_click "$dialog" $ok
e2e_no_window "Редактировать"
expect_journal "$before" "deleting it"

# A refused save changes nothing: no numbers typed.
e2e_click "$E2E_MAIN" $new_button
dialog=$(e2e_window "Новая заправка")
e2e_click "$dialog" $ok
box=$(e2e_window "Ошибка")
e2e_key Return
e2e_no_window "Ошибка"
expect_journal "$before" "refusing empty numbers"
echo "PASS"
