#!/usr/bin/env bash
# entry_e2e.sh <build folder>: a person adds (by the keyboard alone), edits and deletes a fill-up
# in the real program under its own X server, in a journal whose first line was ended on Linux,
# then adds one in an Arabic and in the C locale, the last under a window manager; the journal's
# bytes are checked after every step. Between them, presses dragged off the buttons and clicks
# that jump to the main window.
. "$(dirname "$0")/lib.sh"
e2e_begin "$1" openbox xwininfo xprop

crlf=$'\r\n'
before="01.11.26|84000|40|20|800"$'\n'"15.11.26|84500|35|21|735${crlf}"
printf '%s' "$before" >"$app/zoltrek.dat"

expect_journal() { e2e_expect_file "$app/zoltrek.dat" "$@"; }

# More client coordinates, from the layouts of the main window and the dialog.
third_item="30 $((9 + 13 * 2 + 6))"  # the centre of list row 2
first_item="30 15"; below_items="30 170"; about_link="208 192"; cancel="116 168"

# The third item by reading (a reload selects nothing): selected, then a right click. Between
# them what must leave the selection where it is: Ctrl+click, Ctrl+Space, a click below the
# items, the middle button on another item.
edit_third_item() {
    e2e_click "$E2E_MAIN" $third_item
    sleep 0.3  # not a double click
    xdotool keydown ctrl click 1 key space keyup ctrl
    e2e_click "$E2E_MAIN" $below_items
    e2e_click "$E2E_MAIN" $first_item 2
    e2e_click "$E2E_MAIN" $third_item 3
    dialog=$(e2e_window "Редактировать")
}

statistics="148 48"
drag() { xdotool mousemove --window "$E2E_MAIN" "$@"; sleep 0.15; }
# The report box shows; Return closes it.
expect_report() { e2e_window "Статистика" >/dev/null; e2e_key Return; e2e_window "Статистика" gone; }
# A button sees the mouse only while the pointer is over it or while it holds the capture.
# Pressed, "Статистика" is sunken while the pointer is over it and flat at every movement off
# it; let go off it, it clicks nothing and the next click, on the list, is not lost.
look_of_statistics() { e2e_pixels "$E2E_MAIN" 76 36 145 25; }
expect_look() {
    [ "$(look_of_statistics)" "$1" "$flat" ] || { echo "FAIL: \"Статистика\" not $2"; exit 1; }
}
drag_off_and_back() {
    drag 2 2
    flat=$(look_of_statistics)
    drag $statistics; xdotool mousedown 1; drag 150 50; expect_look != "sunken when pressed"
    drag 148 70; expect_look = "flat off it"; drag 148 73; expect_look = "flat off it, moved again"
    drag 150 50; expect_look != "sunken back over it"
    drag 148 70; drag 148 73; expect_look = "flat off it again"
    xdotool mouseup 1; sleep 0.3
    e2e_window "Статистика" gone
    echo "ok: a press dragged off and back"
}

# With the edit beside the main window, "Новая заправка" brings it forward; a click that jumps to
# the main window (no motion between, as a touch screen gives) reaches it at once: "Статистика"
# reports, and the list shows another fill-up.
jump_after_raising_edit() {
    local panel="76 68 145 110" details
    xdotool windowmove "$dialog" 0 0
    e2e_click "$E2E_MAIN" $E2E_NEW_BUTTON
    xdotool mousemove --window "$E2E_MAIN" $statistics click 1
    expect_report
    e2e_click "$E2E_MAIN" $E2E_NEW_BUTTON
    details=$(e2e_pixels "$E2E_MAIN" $panel)
    xdotool mousemove --window "$E2E_MAIN" $first_item click 1; sleep 0.3
    [ "$(e2e_pixels "$E2E_MAIN" $panel)" != "$details" ] || { echo "FAIL: a list click lost"; exit 1; }
    echo "ok: jump-clicks after the edit was brought forward$1"
}

# space_on <window> [keys]: the keys, then Space, with the pointer in the window's corner, over
# no button (without a window manager, the keyboard goes to the window under the pointer).
space_on() { xdotool mousemove --window "$1" 2 2; shift; e2e_key "$@" space; }

e2e_start_program

# The keyboard alone: "Новая заправка" has the focus at start-up, the dialog's date box next.
space_on "$E2E_MAIN"
dialog=$(e2e_window "Новая заправка")
e2e_key Tab; e2e_type "85000"; e2e_key Tab; e2e_type "40"; e2e_key Tab; e2e_type "20,5"
space_on "$dialog" Tab Tab  # "ОК"
e2e_window "Новая заправка" gone
expect_journal "${before}${E2E_TODAY}|85000|40|20,5|820${crlf}" "adding a fill-up"

# Pressed on "Новая заправка" and let go on "Статистика": the second is pressed and clicks.
drag $E2E_NEW_BUTTON; xdotool mousedown 1; drag 150 22; drag 148 40; drag 148 44; xdotool mouseup 1
expect_report
echo "ok: a press carried to the other button"
drag_off_and_back

edit_third_item
e2e_click "$dialog" $E2E_TEXT3; e2e_key ctrl+a; e2e_type "21"
e2e_save "Редактировать"
expect_journal "${before}${E2E_TODAY}|85000|40|21|840${crlf}" "editing its price"

edit_third_item
jump_after_raising_edit ""
e2e_click "$dialog" $E2E_CHECK1
e2e_save "Редактировать"
expect_journal "$before" "deleting it"

# A refused save changes nothing: no numbers typed.
e2e_click "$E2E_MAIN" $E2E_NEW_BUTTON
dialog=$(e2e_window "Новая заправка")
e2e_click "$dialog" $E2E_OK
box=$(e2e_window "Ошибка")
[ "$(e2e_green "$box")" = 0 ] || { echo "FAIL: a green tick on the box's button"; exit 1; }
e2e_key Return
e2e_window "Ошибка" gone
expect_journal "$before" "refusing empty numbers"
space_on "$dialog" Tab  # "Отмена"
e2e_window "Новая заправка" gone
space_on "$E2E_MAIN" Tab Tab Tab  # "Статистика", after the list and the details
expect_report
e2e_click "$E2E_MAIN" $about_link
space_on "$(e2e_window "О программе")"  # "Закрыть"
e2e_window "О программе" gone
echo "ok: Space clicks every button"

# Today in the date box's own shape, and "." where the user's separator has no byte.
add_in_locale() {
    e2e_stop_program
    E2E_LOCALE=$1 e2e_start_program
    e2e_add "$2" "$3" "$4"
}
add_in_locale ar_EG.UTF-8 85400 41.5 22.3
expect_journal "${before}${E2E_TODAY}|85400|41.5|22.3|925.45${crlf}" "adding in ar_EG"

# expect_centred <window> <name>: its frame, as the window manager reports it, in the middle of
# the screen (1024 x 768), within half a pixel.
expect_centred() {
    local x y w h left right top bottom
    eval "$(xwininfo -id "$1" | awk '/Absolute upper-left X/ { print "x=" $4 }
        /Absolute upper-left Y/ { print "y=" $4 } /Width:/ { print "w=" $2 } /Height:/ { print "h=" $2 }')"
    read -r left right top bottom <<<"$(xprop -id "$1" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')"
    local dx=$((2 * (x - left) + left + w + right - 1024)) dy=$((2 * (y - top) + top + h + bottom - 768))
    [ "${dx#-}" -le 1 ] && [ "${dy#-}" -le 1 ] || { echo "FAIL: $2 is $dx, $dy half pixels off"; exit 1; }
    echo "ok: $2 centred by its frame"
}

# Under a window manager: the same, and each window's frame in the middle of the screen.
openbox --sm-disable >/dev/null 2>&1 &
wm=$!
for _ in $(seq 50); do xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id' && break; sleep 0.1; done
add_in_locale C.UTF-8 85600 40 20
expect_journal "${before}${E2E_TODAY}|85400|41.5|22.3|925.45${crlf}${E2E_TODAY}|85600|40|20|800${crlf}" "adding in C.UTF-8"
expect_centred "$E2E_MAIN" "the main window"
space_on "$E2E_MAIN"  # "Новая заправка", clicked last
expect_centred "$(e2e_window "Новая заправка")" "the entry dialog"
e2e_click "$(e2e_window "Новая заправка")" $cancel
edit_third_item
jump_after_raising_edit ", under a window manager"
e2e_click "$dialog" $cancel
e2e_click "$E2E_MAIN" $about_link
expect_centred "$(e2e_window "О программе")" "the About window"
kill "$wm"
echo "PASS"
