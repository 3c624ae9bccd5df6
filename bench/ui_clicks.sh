# Where the benchmarks and the long end-to-end runs click: the program's buttons by
# name, in client pixels of the main window at the screen's top-left (the secondary
# windows are centred on it). Source it; `click NAME` presses and releases there.
#
#   start (START/STOP)  error  test  colours  about  close
#   set1 .. set12       arrow1-  arrow1+ .. arrow4-  arrow4+
#   sub_exit  sub_reset   (exit and reset/return of the trouble-code or actuator window)

# button_xy NAME: prints "X Y", the middle of the button.
button_xy() {
    local n
    case "$1" in
    start) echo "532 409" ;;
    error) echo "628 409" ;;
    test) echo "724 409" ;;
    colours) echo "518 359" ;;
    about) echo "737 359" ;;
    close) echo "785 6" ;;
    set[0-9] | set1[0-2])
        n="${1#set}"
        echo "$((484 + 24 * (n - 1) + 11)) 22"
        ;;
    arrow1-) echo "411 22" ;;
    arrow1+) echo "435 22" ;;
    arrow2-) echo "412 149" ;;
    arrow2+) echo "436 149" ;;
    arrow3-) echo "412 277" ;;
    arrow3+) echo "436 277" ;;
    arrow4-) echo "412 405" ;;
    arrow4+) echo "436 405" ;;
    sub_exit) echo "$((138 + 493 + 13)) $((103 + 342 + 9))" ;;
    sub_reset) echo "$((138 + 168 + 13)) $((103 + 342 + 9))" ;;
    *) return 1 ;;
    esac
}

# click NAME: press, hold briefly, release (the release acts).
click() {
    local xy
    xy="$(button_xy "$1")" || { echo "click: no button $1" >&2; return 1; }
    # shellcheck disable=SC2086
    xdotool mousemove $xy mousedown 1 sleep 0.1 mouseup 1
}
