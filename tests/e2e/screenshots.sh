#!/usr/bin/env bash
# screenshots.sh <build folder> <output folder> [program]: pictures of the real windows under
# Xvfb for a person to look at: the main window empty, with three fill-ups and the second
# selected while the pointer rests on "Статистика", the About window, and the entry dialog, at
# the screen scales 1, 1.25, 1.5 and 2 (named "@<scale>" but for 1); then the main window and
# the new entry dialog in an Arabic locale. With [program] (one built without the bundled
# faces, say), its windows at scale 1 in <output folder>/<its folder's name>-*.png.
. "$(dirname "$0")/lib.sh"
out=$(mkdir -p "$2" && cd "$2" && pwd)
E2E_PROGRAM=${3:-}
e2e_begin "$1"

# windows <name suffix>: every window once, at the scale E2E_SCALE.
windows() {
    export QT_SCALE_FACTOR=$E2E_SCALE
    rm -f "$app/zoltrek.dat"
    e2e_start_program
    e2e_shot "$E2E_MAIN" "$out/main-empty$1.png"
    e2e_stop_program

    printf '01.11.26|84000|40|20|800\r\n15.11.26|84500|35|21|735\r\n30.11.26|84950|30|22|660\r\n' >"$app/zoltrek.dat"
    e2e_start_program
    e2e_click "$E2E_MAIN" 30 28          # the second item
    e2e_click "$E2E_MAIN" 148 48 0       # rests over "Статистика"
    e2e_shot "$E2E_MAIN" "$out/main-selected$1.png"

    e2e_click "$E2E_MAIN" 205 192        # the "About" link
    about=$(e2e_window "О программе")
    e2e_shot "$about" "$out/about$1.png"
    e2e_key Escape
    e2e_click "$about" 76 224            # "Закрыть"
    e2e_window "О программе" gone

    e2e_click "$E2E_MAIN" 148 20         # "Новая заправка"
    dialog=$(e2e_window "Новая заправка")
    e2e_shot "$dialog" "$out/entry-new$1.png"
    e2e_click "$dialog" 116 168          # "Отмена"
    e2e_click "$E2E_MAIN" 30 28
    e2e_click "$E2E_MAIN" 30 28 3        # right click: edit the selected fill-up
    dialog=$(e2e_window "Редактировать")
    e2e_shot "$dialog" "$out/entry-edit$1.png"
    e2e_stop_program
}

if [ -n "$E2E_PROGRAM" ]; then
    E2E_SCALE=1 windows "-$(basename "$(dirname "$E2E_PROGRAM")")"
    echo "screenshots in $out"
    exit 0
fi
for E2E_SCALE in 1 1.25 1.5 2; do
    windows "$([ "$E2E_SCALE" = 1 ] || echo "@$E2E_SCALE")"
done

E2E_SCALE=1 QT_SCALE_FACTOR=1
E2E_LOCALE=ar_EG.UTF-8 e2e_start_program
sleep 1.2                            # the clock's first tick
e2e_shot "$E2E_MAIN" "$out/main-ar_EG.png"
e2e_click "$E2E_MAIN" 148 20
dialog=$(e2e_window "Новая заправка")
e2e_shot "$dialog" "$out/entry-new-ar_EG.png"
echo "screenshots in $out"
