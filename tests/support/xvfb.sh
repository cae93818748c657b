# A private X server for the scripts and `make bench`, sourced: xvfb_start starts Xvfb on a
# free display that it picks itself and exports DISPLAY; xvfb_stop ends it.
xvfb_start() {
    xvfb_fifo=$(mktemp -u) && mkfifo "$xvfb_fifo" || return 1
    # -noreset: a server that resets when its last client leaves refuses the next one for a
    # moment, and the programs and tools here come and go.
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$xvfb_fifo" >/dev/null 2>&1 &
    XVFB_PID=$!
    read -r xvfb_display <"$xvfb_fifo"
    rm -f "$xvfb_fifo"
    [ -n "$xvfb_display" ] && export DISPLAY=":$xvfb_display"
}

xvfb_stop() {
    [ -z "${XVFB_PID:-}" ] || kill "$XVFB_PID" 2>/dev/null || true
}
