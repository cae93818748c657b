#!/usr/bin/env bash
# entry_e2e.sh <build folder>: a person drives the real program under its own X server, in a
# folder whose name is not UTF-8, on a journal whose first line was ended on Linux. Without a
# window manager a fill-up is added, edited and deleted with the mouse, between presses dragged
# off the buttons and clicks that jump to the main window; one is added in an Arabic locale; under
# a window manager, in the C locale, one is added by the keyboard alone, edited and deleted, and
# each window stands centred by its frame. The journal's bytes are checked after every save, and
# the pictures are seen to load no image plugin.
. "$(dirname "$0")/lib.sh"
e2e_begin "$1" openbox xwininfo xprop

crlf=$'\r\n'
before="01.11.26|84000|40|20|800"$'\n'"15.11.26|84500|35|21|735${crlf}"
printf '%s' "$before" >"$app/zoltrek.dat"

expect_journal() { e2e_expect_file "$app/zoltrek.dat" "$@"; }
details() { e2e_pixels "$E2E_MAIN" Main.Picture1; }

# In the main window: the pointer over a control; a button's look, once it shows it.
move() { e2e_move "$E2E_MAIN" "$@"; }
looks() { e2e_looks "$E2E_MAIN" "$@"; }

# The report box shows; Return closes it.
expect_report() {
    local box
    box=$(e2e_window "Статистика")
    e2e_key "$box" Return
    e2e_gone "Статистика"
}

# The report box's one button has no green tick, once the box's blue information sign is drawn
# (while no list item is selected, nothing blue lies under the box).
expect_plain_button() {
    local box
    box=$(e2e_window "Статистика")
    e2e_wait "the report's sign" sign_drawn "$box"
    [ "$(e2e_count "$box" 'g > r + 8 && g > b + 8')" = 0 ] || e2e_fail "a green tick on its button"
}
sign_drawn() { [ "$(e2e_count "$1" 'b > r + 40 && b > g + 8')" -gt 0 ]; }

# edit <row>: the list's row selected, then a right click on it: the edit dialog.
edit() {
    e2e_click "$E2E_MAIN" "Main.List1.row$1"
    e2e_click "$E2E_MAIN" "Main.List1.row$1" 3
    dialog=$(e2e_open "Редактировать")
}

# save <title>: "ОК" in $dialog, and the dialog goes.
save() { e2e_click "$dialog" fNew.XpB1; e2e_gone "$1"; }

# new_price <price>: typed over the price in $dialog.
new_price() { e2e_click "$dialog" fNew.Text3; e2e_key "$dialog" ctrl+a; e2e_type "$dialog" "$1"; }

# A press carried from "Новая заправка" onto "Статистика": the first lets go as the pointer
# leaves it, the second is pressed as it comes, and the release there clicks it.
carry_press() {
    move Main.XpB1; looks Main.XpB1 raised
    xdotool mousedown 1; looks Main.XpB1 sunken
    move Main.XpB1 2 2; move Main.XpB2 0 -4; move Main.XpB2
    looks Main.XpB2 sunken; looks Main.XpB1 flat
    xdotool mouseup 1
    expect_plain_button
    expect_report
    echo "ok: a press carried to the other button"
}

# A press dragged off "Статистика" and back: sunken over it, flat off it; let go off it, it
# clicks nothing, and the next click, on the list, is not lost.
drag_off_and_back() {
    local was
    move Main.Picture1; move Main.XpB2; looks Main.XpB2 raised
    xdotool mousedown 1; looks Main.XpB2 sunken
    move Main.XpB2 2 2; move Main.Picture1; looks Main.XpB2 flat
    move Main.Picture1 0 3; move Main.XpB2 2 2; looks Main.XpB2 sunken
    move Main.Picture1; move Main.Picture1 0 3; looks Main.XpB2 flat
    xdotool mouseup 1
    was=$(details)
    e2e_click "$E2E_MAIN" Main.List1.row1
    e2e_wait "the clicked item's details, or a report" clicked_or_reported "$was"
    ! e2e_find "Статистика" >/dev/null || e2e_fail "a press let go off \"Статистика\" clicked it"
    echo "ok: a press dragged off and back"
}
clicked_or_reported() {
    e2e_differs "$E2E_MAIN" Main.Picture1 "$1" || e2e_find "Статистика" >/dev/null
}

# The selection only moves: between the click that selects the row and the right click that
# edits it, a Ctrl+click and Ctrl+Space on it, a click below the items and the middle button on
# the first item leave it where it is. (Without a window manager the keys go to the window under
# the pointer.)
edit_keeping_selection() {
    e2e_click "$E2E_MAIN" "Main.List1.row$1"
    move "Main.List1.row$1" 20 0  # far enough not to make a double click
    xdotool keydown ctrl click --delay 0 1 key space keyup ctrl
    e2e_click "$E2E_MAIN" Main.List1.row12
    e2e_click "$E2E_MAIN" Main.List1.row0 2
    e2e_click "$E2E_MAIN" "Main.List1.row$1" 3
    dialog=$(e2e_open "Редактировать")
}

# A deliberate click on "Новая заправка": seen pressed and let go.
click_new() {
    move Main.BG; move Main.XpB1; looks Main.XpB1 raised
    xdotool mousedown 1; looks Main.XpB1 sunken
    xdotool mouseup 1; looks Main.XpB1 flat
}

# With the edit beside the main window, "Новая заправка" only brings it forward; a click that
# jumps from there (no motion between, as a touch screen gives) reaches the main window at once:
# "Статистика" reports, and the list shows another fill-up.
jump_after_raising_edit() {
    local was
    xdotool windowmove "$dialog" 0 0
    e2e_wait "the edit moved aside" e2e_not e2e_centred "$dialog"
    click_new
    xdotool mousemove --window "$E2E_MAIN" $(e2e_point Main.XpB2) click --delay 0 1
    expect_report
    click_new
    was=$(details)
    xdotool mousemove --window "$E2E_MAIN" $(e2e_point Main.List1.row0) click --delay 0 1
    e2e_changes "$E2E_MAIN" Main.Picture1 "$was"
    echo "ok: jump-clicks after the edit was brought forward$1"
}

# restart_in <locale>: the program started afresh in that locale.
restart_in() {
    e2e_stop_program
    E2E_LOCALE=$1 e2e_start_program
}

# Without a window manager: added, edited and deleted with the mouse.
e2e_start_program
e2e_add 85000 40 20,5
expect_journal "${before}${E2E_TODAY}|85000|40|20,5|820${crlf}" "adding a fill-up"
carry_press
drag_off_and_back
edit_keeping_selection 2
new_price 21
save "Редактировать"
expect_journal "${before}${E2E_TODAY}|85000|40|21|840${crlf}" "editing its price"
edit 2
jump_after_raising_edit ""
e2e_click "$dialog" fNew.Check1
save "Редактировать"
expect_journal "$before" "deleting it"

# Today in the date box's own shape, and "." where the user's separator has no byte.
restart_in ar_EG.UTF-8
e2e_add 85400 41.5 22.3
arabic="${E2E_TODAY}|85400|41.5|22.3|925.45${crlf}"
expect_journal "${before}${arabic}" "adding in ar_EG"

# Under a window manager, in the C locale. It takes windows only once it has started: one that
# asks to be shown while it starts up is never shown.
openbox --sm-disable --startup "touch '$E2E_ROOT/wm-started'" >/dev/null 2>&1 &
wm=$!
e2e_wait "the window manager" test -e "$E2E_ROOT/wm-started"
restart_in C.UTF-8
echo "ok: the main window centred by its frame"

# The keyboard alone: "Новая заправка" has the focus at start-up, the dialog's date box next.
e2e_key "$E2E_MAIN" space
dialog=$(e2e_open "Новая заправка")
echo "ok: the entry dialog centred by its frame"
e2e_key "$dialog" Tab; e2e_type "$dialog" 85600; e2e_key "$dialog" Tab; e2e_type "$dialog" 40
e2e_key "$dialog" Tab; e2e_type "$dialog" 20; e2e_key "$dialog" Tab Tab space  # "ОК"
e2e_gone "Новая заправка"
expect_journal "${before}${arabic}${E2E_TODAY}|85600|40|20|800${crlf}" "adding by keyboard alone"
e2e_key "$E2E_MAIN" Tab Tab Tab space  # "Статистика", after the list and the details
expect_report
e2e_click "$E2E_MAIN" Main.Label6
about=$(e2e_open "О программе")
echo "ok: the About window centred by its frame"
e2e_key "$about" space  # "Закрыть"
e2e_gone "О программе"
echo "ok: Space clicks every focused button"

edit 3
new_price 21
save "Редактировать"
expect_journal "${before}${arabic}${E2E_TODAY}|85600|40|21|840${crlf}" "editing it with openbox"
edit 3
jump_after_raising_edit ", under a window manager"
e2e_click "$dialog" fNew.Check1
save "Редактировать"
expect_journal "${before}${arabic}" "deleting it with openbox"

# The toolkit reads our pictures itself: an image plugin would load into every start.
if grep /imageformats/ "/proc/$E2E_APP/maps"; then e2e_fail "an image plugin was loaded"; fi
echo "ok: no image plugin"
kill "$wm"
echo "PASS"
