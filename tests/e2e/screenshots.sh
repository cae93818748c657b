#!/usr/bin/env bash
# screenshots.sh <build folder> <output folder> [program]: pictures of the real windows under
# Xvfb for a person to look at: the main window empty, with three fill-ups and the second
# selected while the pointer rests on "Статистика", the statistics box, the About window, and the
# entry dialog, at the screen scales 1, 1.25, 1.5, 2 and 3 (named "@<scale>" but for 1); then the
# main window and the new entry dialog in an Arabic locale. With [program] (one built without the bundled
# faces, say), its windows at scale 1 in <output folder>/<its folder's name>-*.png.
. "$(dirname "$0")/lib.sh"
out=$(mkdir -p "$2" && cd "$2" && pwd)
E2E_PROGRAM=${3:-}
e2e_begin "$1"

# drawn <window>: once its background is drawn: its corner shows the picture's lightest grey, which
# no other window has there.
drawn() { e2e_wait "window $1 drawn" corner_drawn "$1"; }
corner_drawn() {
    local ppm="$E2E_ROOT/corner.ppm"
    e2e_shot "$1" "$ppm"
    [ "$(od -An -tx1 -j "$(head -3 "$ppm" | wc -c)" -N3 "$ppm")" = " fa fa fa" ]
}
# shot <window> <name>: its picture, once drawn.
shot() { drawn "$1"; e2e_shot "$1" "$out/$2.png"; }

# windows <name suffix>: every window once, at the scale E2E_SCALE.
windows() {
    local about box dialog empty
    export QT_SCALE_FACTOR=$E2E_SCALE
    rm -f "$app/zoltrek.dat"
    e2e_start_program
    shot "$E2E_MAIN" "main-empty$1"
    e2e_stop_program

    printf '%s\r\n' '01.11.26|84000|40|20|800' '15.11.26|84500|35|21|735' \
        '30.11.26|84950|30|22|660' >"$app/zoltrek.dat"
    e2e_start_program
    drawn "$E2E_MAIN"
    empty=$(e2e_pixels "$E2E_MAIN" Main.Picture1)
    e2e_click "$E2E_MAIN" Main.List1.row1
    e2e_changes "$E2E_MAIN" Main.Picture1 "$empty"
    e2e_move "$E2E_MAIN" Main.XpB2
    e2e_looks "$E2E_MAIN" Main.XpB2 raised
    e2e_shot "$E2E_MAIN" "$out/main-selected$1.png"
    e2e_click "$E2E_MAIN" Main.XpB2
    box=$(e2e_window "Статистика")
    e2e_focused "$box"
    e2e_shot "$box" "$out/statistics$1.png"
    e2e_key "$box" Return
    e2e_gone "Статистика"

    e2e_click "$E2E_MAIN" Main.Label6
    about=$(e2e_open "О программе")
    shot "$about" "about$1"
    e2e_click "$about" About.XpB1
    e2e_gone "О программе"

    e2e_click "$E2E_MAIN" Main.XpB1
    dialog=$(e2e_open "Новая заправка")
    shot "$dialog" "entry-new$1"
    e2e_click "$dialog" fNew.XpB2
    e2e_gone "Новая заправка"
    e2e_click "$E2E_MAIN" Main.List1.row1 3  # right click: edit the selected fill-up
    dialog=$(e2e_open "Редактировать")
    shot "$dialog" "entry-edit$1"
    e2e_stop_program
}

if [ -n "$E2E_PROGRAM" ]; then
    E2E_SCALE=1 windows "-$(basename "$(dirname "$E2E_PROGRAM")")"
    echo "screenshots in $out"
    exit 0
fi
for E2E_SCALE in 1 1.25 1.5 2 3; do
    windows "$([ "$E2E_SCALE" = 1 ] || echo "@$E2E_SCALE")"
done

E2E_SCALE=1 QT_SCALE_FACTOR=1
E2E_LOCALE=ar_EG.UTF-8 e2e_start_program
drawn "$E2E_MAIN"
# The clock's first tick, or the next: its text changes every second.
e2e_changes "$E2E_MAIN" Main.Label9 "$(e2e_pixels "$E2E_MAIN" Main.Label9)"
e2e_shot "$E2E_MAIN" "$out/main-ar_EG.png"
e2e_click "$E2E_MAIN" Main.XpB1
dialog=$(e2e_open "Новая заправка")
shot "$dialog" entry-new-ar_EG
echo "screenshots in $out"
