# Shared by the end-to-end scripts: a private X server, the real program in a folder of its
# own on a clock of our choosing, a person's clicks and keys through xdotool, and waits for what
# they make the program do.
set -eu
shopt -s inherit_errexit
. "$(dirname "${BASH_SOURCE[0]}")/../support/xvfb.sh"
# The tools match window titles in UTF-8; the program gets its own locale (E2E_LOCALE).
export LC_ALL=C.UTF-8

# The program's clock starts here and runs on: far from midnight, so every date it writes in a
# run is that day's, whatever the machine's clock says.
E2E_CLOCK="2026-12-24 12:00:00"
E2E_TODAY=24.12.26  # that day as the journal writes it
# How long any wait lasts before it fails, in seconds: a loaded machine is slow, never this slow.
E2E_WAIT=${E2E_WAIT:-30}

# Where the controls are, "left top width height" in the client pixels of their window: the
# layouts' twips / 15, moved by the frame of the panel they sit in. List1.row<n> is the list's
# row n, 13 pixels high inside its one-pixel frame. BG is the background, here its corner, where
# the pointer is over no other control.
declare -A E2E_PLACE=(
    [Main.BG]="0 0 4 4"
    [Main.XpB1]="76 8 145 25"        # "Новая заправка"
    [Main.XpB2]="76 36 145 25"       # "Статистика"
    [Main.List1]="4 8 65 171"
    [Main.Picture1]="76 68 145 110"  # the details
    [Main.Label9]="0 184 192 17"     # the clock
    [Main.Label6]="194 186 28 13"    # "About", in Picture2 (188 184) within its 2-pixel edge
    [fNew.Text1]="68 36 73 19"       # reading
    [fNew.Text2]="68 60 73 19"       # litres
    [fNew.Text3]="68 84 73 19"       # price
    [fNew.Check1]="20 140 13 13"     # delete
    [fNew.XpB1]="4 156 73 25"        # "ОК"
    [fNew.XpB2]="80 156 73 25"       # "Отмена"
    [About.XpB1]="8 212 137 25"      # "Закрыть"
)

# e2e_place <control>: its rectangle in the layout's pixels.
e2e_place() {
    local n
    case $1 in
        *.List1.row*)
            n=${1##*.row}
            set -- ${E2E_PLACE[${1%.row*}]}
            echo "$(($1 + 1)) $(($2 + 1 + 13 * n)) $(($3 - 2)) 13" ;;
        *)
            [ -n "${E2E_PLACE[$1]:-}" ] || { echo "no place named $1" >&2; return 1; }
            echo "${E2E_PLACE[$1]}" ;;
    esac
}

# e2e_point <control> [dx dy]: the control's centre, moved by dx dy, in the screen's pixels (the
# layout's times E2E_SCALE on a scaled screen).
e2e_point() {
    local place
    place=$(e2e_place "$1")
    awk -v p="$place" -v dx="${2:-0}" -v dy="${3:-0}" -v s="${E2E_SCALE:-1}" 'BEGIN {
        split(p, r, " ")
        printf "%d %d", (r[1] + r[3] / 2 + dx) * s + 0.5, (r[2] + r[4] / 2 + dy) * s + 0.5 }'
}

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
    E2E_NAME=$(basename "$0" .sh)
    app="$E2E_ROOT/dir_"$'\xe9'
    mkdir "$app" && mkdir -m 700 "$E2E_ROOT/runtime"
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

# e2e_fail <what>: says so with a picture of the screen beside the build, and ends the script.
e2e_fail() {
    local picture="$build/$E2E_NAME-failure.png"
    echo "FAIL: $*" >&2
    e2e_shot "" "$picture" 2>/dev/null && echo "the screen: $picture" >&2
    exit 1
}

# e2e_wait <what> <command...>: runs the command until it succeeds, failing after E2E_WAIT
# seconds with what it waited for.
e2e_wait() {
    local what=$1 end=$((SECONDS + E2E_WAIT))
    shift
    until "$@"; do
        [ "$SECONDS" -lt "$end" ] || e2e_fail "waited $E2E_WAIT s for $what"
        sleep 0.05
    done
}

# Runs the program E2E_EXE ($app/zoltrek unless set) through the command E2E_AS (as another
# user, say), in the locale E2E_LOCALE (ru_RU.UTF-8 unless set), its clock started at E2E_CLOCK;
# the clock the event loop times with is left alone.
e2e_start_program() {
    ${E2E_AS:-} env -u LC_ALL LANG="${E2E_LOCALE:-ru_RU.UTF-8}" \
        LD_PRELOAD='/usr/$LIB/faketime/libfaketime.so.1' FAKETIME="@$E2E_CLOCK" \
        FAKETIME_DONT_FAKE_MONOTONIC=1 "${E2E_EXE:-$app/zoltrek}" >"$E2E_ROOT/program.log" 2>&1 &
    E2E_APP=$!
    E2E_MAIN=$(e2e_open "Zoltrek Calculator")
}

e2e_stop_program() {
    [ -n "${E2E_APP:-}" ] && { kill "$E2E_APP" 2>/dev/null; wait "$E2E_APP" 2>/dev/null; } || true
    E2E_APP=
}

# e2e_find <title>: the id of the program's shown window with this exact title, if any. Titles
# are compared as UTF-8: a search by name would read the legacy title encoding.
e2e_find() {
    local w
    for w in $(xdotool search --onlyvisible --pid "$E2E_APP" 2>/dev/null); do
        [ "$(xdotool getwindowname "$w" 2>/dev/null)" = "$1" ] && { echo "$w"; return 0; }
    done
    return 1
}

# e2e_window <title>: waits for the window and prints its id; e2e_gone <title>: waits until it
# is no longer shown.
e2e_window() {
    local id end=$((SECONDS + E2E_WAIT))
    until id=$(e2e_find "$1"); do
        [ "$SECONDS" -lt "$end" ] || e2e_fail "waited $E2E_WAIT s for the window \"$1\""
        sleep 0.05
    done
    echo "$id"
}
e2e_gone() { e2e_wait "\"$1\" to go" e2e_not e2e_find "$1"; }
e2e_not() { ! "$@" >/dev/null; }

# e2e_centred <window>: its frame, as the window manager reports it (none without one), stands in
# the middle of the screen (1024 x 768), within half a pixel; on a scaled screen, within the two
# pixels that the rounding of a scaled layout may take.
e2e_centred() {
    local x=0 y=0 w=0 h=0 left=0 right=0 top=0 bottom=0 extents off=4
    [ "${E2E_SCALE:-1}" != 1 ] || off=1
    eval "$(xwininfo -id "$1" | awk '/Absolute upper-left X/ { print "x=" $4 }
        /Absolute upper-left Y/ { print "y=" $4 }
        /Width:/ { print "w=" $2 } /Height:/ { print "h=" $2 }')"
    extents=$(xprop -id "$1" _NET_FRAME_EXTENTS)
    [[ $extents != *=* ]] || read -r left right top bottom <<<"$(echo "${extents#*=}" | tr -d ,)"
    local dx=$((2 * (x - left) + left + w + right - 1024))
    local dy=$((2 * (y - top) + top + h + bottom - 768))
    [ "${dx#-}" -le "$off" ] && [ "${dy#-}" -le "$off" ]
}

# e2e_open <title>: the id of one of the program's own windows, once shown where it stays: centred
# by its frame (a window manager frames it after it shows, and the program then moves it).
e2e_open() {
    local id
    id=$(e2e_window "$1")
    e2e_wait "\"$1\" centred by its frame" e2e_centred "$id"
    echo "$id"
}

# e2e_focused <window>: waits until the window has the keyboard.
e2e_focused() { e2e_wait "the keyboard in window $1" e2e_has_focus "$1"; }
e2e_has_focus() { [ "$(xdotool getwindowfocus -f 2>/dev/null)" = "$1" ]; }

# e2e_move <window> <control> [dx dy]: the pointer over the control, once it is there (a move
# that has nowhere to go would wait in vain).
e2e_move() {
    local at to
    read -r -a at <<<"$(xwininfo -id "$1" | awk '/Absolute upper-left [XY]/ { printf "%d ", $4 }')"
    read -r -a to <<<"$(e2e_point "${@:2}")"
    to=($((at[0] + to[0])) $((at[1] + to[1])))
    [ "$(xdotool getmouselocation | cut -d' ' -f1,2)" = "x:${to[0]} y:${to[1]}" ] ||
        xdotool mousemove --sync "${to[@]}"
}

# e2e_click <window> <control> [button]: a click on the control, with the left button unless told.
e2e_click() { e2e_move "$1" "$2"; xdotool click --delay 0 "${3:-1}"; }

# e2e_type <window> <text>, e2e_key <window> <keys...>: keys, once the window has the keyboard.
e2e_type() { e2e_focused "$1"; xdotool type "$2"; }
e2e_key() { e2e_focused "$1"; xdotool key "${@:2}"; }

# e2e_shot <window> <file.png|.ppm>
e2e_shot() { XDG_RUNTIME_DIR="$E2E_ROOT/runtime" "$build/tools/screenshot/zoltrek_screenshot" "$2" "$1"; }

# e2e_pixels <window> <control>: a checksum of the control's pixels.
e2e_pixels() {
    local ppm="$E2E_ROOT/shot.ppm" width
    e2e_shot "$1" "$ppm"
    width=$(sed -n 2p "$ppm" | cut -d' ' -f1)
    od -An -v -tu1 -w$((3 * width)) -j "$(head -3 "$ppm" | wc -c)" "$ppm" |
        awk -v p="$(e2e_place "$2")" -v s="${E2E_SCALE:-1}" 'BEGIN { split(p, r, " ")
            x = int(r[1] * s); y = int(r[2] * s); w = int(r[3] * s); h = int(r[4] * s) }
            NR > y && NR <= y + h {
                for (i = 3 * x + 1; i <= 3 * (x + w); i++) printf "%s ", $i
                print "" }' |
        md5sum
}

# e2e_changes <window> <control> <checksum>: waits until the control's pixels are no longer those.
e2e_changes() { e2e_wait "$2 to change" e2e_differs "$@"; }
e2e_differs() { [ "$(e2e_pixels "$1" "$2")" != "$3" ]; }

# e2e_look <window> <button>: "raised" (the pointer over it), "sunken" (pressed) or "flat", from
# its top left and bottom right pixels: a light edge above a dark one, the other way round, or
# neither.
e2e_look() {
    local ppm="$E2E_ROOT/look.ppm" head width corners
    e2e_shot "$1" "$ppm"
    head=$(head -3 "$ppm" | wc -c) width=$(sed -n 2p "$ppm" | cut -d' ' -f1)
    read -r -a corners <<<"$(e2e_place "$2" |
        awk -v s="${E2E_SCALE:-1}" -v w="$width" -v h="$head" '{
            printf "%d %d", h + 3 * (int(($2 + 0.5) * s) * w + int(($1 + 0.5) * s)),
                h + 3 * (int(($2 + $4 - 0.5) * s) * w + int(($1 + $3 - 0.5) * s)) }')"
    { od -An -tu1 -j "${corners[0]}" -N3 "$ppm"; od -An -tu1 -j "${corners[1]}" -N3 "$ppm"; } |
        awk '{ sum[NR] = $1 + $2 + $3 } END {
            print (sum[1] > sum[2] + 96 ? "raised" : sum[2] > sum[1] + 96 ? "sunken" : "flat") }'
}

# e2e_looks <window> <button> <look>: waits until the button looks so.
e2e_looks() { e2e_wait "$2 $3" e2e_is_look "$@"; }
e2e_is_look() { [ "$(e2e_look "$1" "$2")" = "$3" ]; }

# e2e_count <window> <awk condition on r g b>: how many of its pixels meet the condition.
e2e_count() {
    local ppm="$E2E_ROOT/shot.ppm"
    e2e_shot "$1" "$ppm"
    od -An -v -tu1 -w3 -j "$(head -3 "$ppm" | wc -c)" "$ppm" |
        awk "{ r = \$1; g = \$2; b = \$3 } $2 { c++ } END { print c + 0 }"
}

# e2e_expect_file <file> <bytes> <what>: waits until the file holds exactly these bytes.
e2e_expect_file() {
    local end=$((SECONDS + E2E_WAIT))
    until [ "$(cat "$1" 2>/dev/null; echo x)" = "$2x" ]; do
        if [ "$SECONDS" -ge "$end" ]; then
            echo "after $3, $1 holds"; od -c "$1" | head -20
            echo "and not"; printf '%s' "$2" | od -c | head -20
            e2e_fail "waited $E2E_WAIT s for $3 to write the file"
        fi
        sleep 0.05
    done
    echo "ok: $3"
}

# e2e_add <reading> <litres> <price>: a new fill-up through the dialog, dated today.
e2e_add() {
    local dialog
    e2e_click "$E2E_MAIN" Main.XpB1
    dialog=$(e2e_open "Новая заправка")
    e2e_click "$dialog" fNew.Text1; e2e_type "$dialog" "$1"
    e2e_click "$dialog" fNew.Text2; e2e_type "$dialog" "$2"
    e2e_click "$dialog" fNew.Text3; e2e_type "$dialog" "$3"
    e2e_click "$dialog" fNew.XpB1
    e2e_gone "Новая заправка"
}
