# Shared by the end-to-end scripts: a private X server, the real program in a folder of its
# own, and a person's clicks and keys through xdotool.
set -eu
. "$(dirname "${BASH_SOURCE[0]}")/../support/xvfb.sh"
# The tools match window titles in UTF-8; the program gets its own locale (E2E_LOCALE).
export LC_ALL=C.UTF-8

# The program's clock starts here and runs on: far from midnight, so every date it writes in a
# run is that day's, whatever the machine's clock says.
E2E_CLOCK="2026-12-24 12:00:00"
E2E_TODAY=24.12.26  # that day as the journal writes it

# e2e_begin <build folder> [more tools]: skips without the tools, starts Xvfb on a free display,
# and copies the program (E2E_PROGRAM, or the build folder's) into $app, a fresh folder removed
# at exit. Its name is not UTF-8 (a Windows-1251 byte, as in a folder unpacked from a Windows
# archive): the journal must be found there all the same.
e2e_begin() {
    build=$(cd "$1" && pwd)
    for tool in Xvfb xdotool faketime "${@:2}"; do
        command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing (make deps installs it)"; exit 77; }
    done
    E2E_ROOT=$(mktemp -d)
    app="$E2E_ROOT/dir_"$'\xe9'
    mkdir "$app"
    trap 'e2e_end $?' EXIT
    xvfb_start || { echo "Xvfb did not start"; exit 1; }
    export QT_QPA_PLATFORM=xcb
    unset QT_QPA_PLATFORMTHEME || true
    cp "${E2E_PROGRAM:-$build/zoltrek}" "$app/zoltrek"
}

# At exit; after a failure, the program's output and whether our X server still answers.
e2e_end() {
    [ "$1" = 0 ] || { cat "$E2E_ROOT/program.log" || true; xdotool getmouselocation >/dev/null 2>&1 || echo "X server ${DISPLAY:-} gone"; }
    e2e_stop_program; xvfb_stop; wait 2>/dev/null || true; rm -rf "$E2E_ROOT"
}

# Runs the program E2E_EXE ($app/zoltrek unless set) through the command E2E_AS (as another
# user, say), in the locale E2E_LOCALE (ru_RU.UTF-8 unless set), its clock started at E2E_CLOCK;
# the clock the event loop times with is left alone.
e2e_start_program() {
    ${E2E_AS:-} env -u LC_ALL LANG="${E2E_LOCALE:-ru_RU.UTF-8}" \
        LD_PRELOAD='/usr/$LIB/faketime/libfaketime.so.1' FAKETIME="@$E2E_CLOCK" \
        FAKETIME_DONT_FAKE_MONOTONIC=1 "${E2E_EXE:-$app/zoltrek}" >"$E2E_ROOT/program.log" 2>&1 &
    E2E_APP=$!
    E2E_MAIN=$(e2e_window "Zoltrek Calculator")
}

e2e_stop_program() {
    [ -n "${E2E_APP:-}" ] && { kill "$E2E_APP" 2>/dev/null; wait "$E2E_APP" 2>/dev/null; } || true
    E2E_APP=
}

# e2e_window <title> [gone]: the id of the visible window with this exact title, waiting up to
# 10 s for it; with "gone", waits for no such window. Titles are compared as UTF-8: a search by
# name would read the legacy title encoding.
e2e_window() {
    local id w
    for _ in $(seq 100); do
        id=
        for w in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
            [ "$(xdotool getwindowname "$w" 2>/dev/null)" = "$1" ] && { id=$w; break; }
        done
        [ -z "${2:-}" ] && [ -n "$id" ] && { sleep 0.3; echo "$id"; return 0; }
        [ -n "${2:-}" ] && [ -z "$id" ] && return 0
        sleep 0.1
    done
    echo "window '$1': not ${2:-shown} in 10 s" >&2
    return 1
}

# e2e_click <window> <x> <y> [button]: a click at client coordinates of the window, in the
# layout's pixels (times E2E_SCALE on a scaled screen); button 0 only moves the pointer there.
e2e_click() {
    xdotool mousemove --window "$1" $(awk -v x="$2" -v y="$3" -v s="${E2E_SCALE:-1}" \
        'BEGIN { printf "%d %d", x * s + 0.5, y * s + 0.5 }')
    sleep 0.15
    [ "${4:-1}" = 0 ] || xdotool click "${4:-1}"
    sleep 0.25
}

# e2e_type <text>: keys into the window that has the focus.
e2e_type() { xdotool type --delay 30 "$1"; sleep 0.2; }
e2e_key() { xdotool key "$@"; sleep 0.2; }
# e2e_shot <window> <file.png>
e2e_shot() { "$build/tests/e2e/zoltrek_screenshot" "$2" "$1"; }

# e2e_expect_file <file> <bytes> <what>: the file holds exactly these bytes.
e2e_expect_file() {
    local got
    got=$(cat "$1" 2>/dev/null; echo x)
    if [ "${got%x}" != "$2" ]; then
        echo "FAIL after $3: $1 holds"; od -c "$1" | head -20
        echo "expected"; printf '%s' "$2" | od -c | head -20
        e2e_shot "$E2E_MAIN" "$build/e2e-failure.png" || true
        exit 1
    fi
    echo "ok: $3"
}

# Client coordinates in the main window and the dialog, from their layouts.
E2E_NEW_BUTTON="148 20"
E2E_TEXT1="104 45" E2E_TEXT2="104 69" E2E_TEXT3="104 93" E2E_CHECK1="26 146" E2E_OK="40 168"

# e2e_save <title>: "ОК" in $dialog, and the dialog with this title goes.
e2e_save() { e2e_click "$dialog" $E2E_OK; e2e_window "$1" gone; }

# e2e_add <reading> <litres> <price>: a new fill-up through the dialog, dated today.
e2e_add() {
    e2e_click "$E2E_MAIN" $E2E_NEW_BUTTON
    dialog=$(e2e_window "Новая заправка")
    e2e_click "$dialog" $E2E_TEXT1; e2e_type "$1"
    e2e_click "$dialog" $E2E_TEXT2; e2e_type "$2"
    e2e_click "$dialog" $E2E_TEXT3; e2e_type "$3"
    e2e_save "Новая заправка"
}

# e2e_green <window>: how many of its pixels lean to green (as a tick icon does), from a PPM of it.
e2e_green() {
    local ppm="$E2E_ROOT/shot.ppm"
    e2e_shot "$1" "$ppm"
    tail -c +$(($(head -3 "$ppm" | wc -c) + 1)) "$ppm" | od -An -v -tu1 |
        awk '{ for (i = 1; i <= NF; i++) { v[n % 3] = $i; if (++n % 3 == 0 && v[1] > v[0] + 8 && v[1] > v[2] + 8) g++ } } END { print g + 0 }'
}

# e2e_pixels <window> <x> <y> <width> <height>: a checksum of that rectangle of the window.
e2e_pixels() {
    local ppm="$E2E_ROOT/shot.ppm" head width row
    e2e_shot "$1" "$ppm"
    head=$(head -3 "$ppm" | wc -c) width=$(sed -n 2p "$ppm" | cut -d' ' -f1)
    for ((row = $3; row < $3 + $5; row++)); do
        tail -c +$((head + 1 + 3 * (row * width + $2))) "$ppm" | head -c $((3 * $4))
    done | md5sum
}
