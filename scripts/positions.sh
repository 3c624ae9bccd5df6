# Where the program's buttons are on the screen, by name, and the mouse helpers that use
# them. Sourced by scripts/wine-env.sh; the end-to-end tests, scripts/demo and the benches
# say `click START`, `click COLOURS_EXIT`, `area START` instead of typing coordinates.
#
#   click NAME | click X Y   press and release the left button on a control's centre (or a
#                            screen point): mousedown, 0.15 s, mouseup
#   press NAME | press X Y   move there and hold the left button down (a held face, a timed
#                            release); release lets it go
#   release                  let the left button go where the pointer is
#   centre NAME              "X Y" of a control's centre on the screen
#   area NAME                its rectangle as an ImageMagick geometry, WxH+X+Y
#
# The main window (800x572) has no frame and sits at the screen's top-left, so its client
# coordinates are screen coordinates. The secondary windows (524x365: trouble codes,
# actuators, colours, about) are centred on it, at (800-524)/2, (572-365)/2 = 138, 103.
# The rectangles are those of the windows' placement tables (app/TForm1.cpp, codes/TForm4.cpp,
# link/TForm5.cpp, settings/TForm6.cpp, app/TForm7.cpp); tests/e2e/positions_table.sh fails
# when a button moves there and not here.

POSITION_MAIN=(0 0)
POSITION_SECONDARY=(138 103)
POSITION_REPLAY=(0 572) # the replay window (800x190) sits under the main window

# NAME -> "WINDOW LEFT TOP WIDTH HEIGHT" in that window's client coordinates; the comment names
# the window class and the picture (tests/e2e/positions_table.sh compares them with the code).
declare -gA POSITIONS=(
    [CLOSE]="MAIN 776 2 18 9"                  # TForm1 Image13: the close cross
    [DRAG_BAR]="MAIN 0 0 769 12"               # TForm1 Image19
    [GRAPH1_PREV]="MAIN 400 16 23 13"          # TForm1 Image5: the arrows that step a chart
    [GRAPH1_NEXT]="MAIN 424 16 23 13"          # TForm1 Image6
    [GRAPH2_PREV]="MAIN 401 143 23 13"         # TForm1 Image7
    [GRAPH2_NEXT]="MAIN 425 143 23 13"         # TForm1 Image8
    [GRAPH3_PREV]="MAIN 401 271 23 13"         # TForm1 Image9
    [GRAPH3_NEXT]="MAIN 425 271 23 13"         # TForm1 Image10
    [GRAPH4_PREV]="MAIN 401 399 23 13"         # TForm1 Image11
    [GRAPH4_NEXT]="MAIN 425 399 23 13"         # TForm1 Image12
    [COLOURS]="MAIN 485 349 67 20"             # TForm1 Image32: opens the colour window
    [ABOUT]="MAIN 704 349 67 20"               # TForm1 Image33: opens the about window
    [START]="MAIN 485 399 95 20"               # TForm1 Image15: START and STOP
    [ERROR]="MAIN 581 399 95 20"               # TForm1 Image17: opens the trouble-code window
    [TEST]="MAIN 677 399 95 20"                # TForm1 Image16: opens the actuator window
    [CAR]="MAIN 103 548 26 19"                 # TForm1 Image3: the next car
    [ENGINE]="MAIN 255 548 26 19"              # TForm1 Image4: the next engine
    [PORT]="MAIN 701 548 26 19"                # TForm1 Image2: the next COM port
    [RECORD]="MAIN 485 322 67 20"              # RecordControl RecordButton: "Запись" on and off
    [MARK]="MAIN 717 299 48 18"                # RecordControl MarkButton: "Метка"
    [CHECKS]="MAIN 704 37 67 20"               # ChecksHost ChecksButton: opens the checks window
    [VISIT]="MAIN 485 372 67 16"               # RecordControl VisitButton: «Автомобиль и визит»
    [VISIT_OK]="SECONDARY 348 339 80 20"       # TFormVisit OkButton
    [VISIT_CANCEL]="SECONDARY 432 339 84 20"   # TFormVisit CancelButton
    [CODES_RESET]="SECONDARY 168 342 26 19"    # TForm4 Image2: trouble codes, "Сброс"
    [CODES_EXIT]="SECONDARY 493 342 26 19"     # TForm4 Image3
    [ACT_RETURN]="SECONDARY 168 342 26 19"     # TForm5 Image2: actuators, control back to the ECU
    [ACT_EXIT]="SECONDARY 493 342 26 19"       # TForm5 Image3
    [COLOURS_STANDARD]="SECONDARY 8 342 24 18" # TForm6 Image2: "Стандртные настройки"
    [COLOURS_SAVE]="SECONDARY 169 342 24 18"   # TForm6 Image3: "Сохранить настройки"
    [COLOURS_EXIT]="SECONDARY 493 342 24 18"   # TForm6 Image4: "Выход"
    [ABOUT_EXIT]="SECONDARY 493 342 24 18"     # TForm7 Image2
    [OPEN]="MAIN 704 322 67 20"                # ReplayHost OpenButton: open a recording
    [REPLAY_PLAY]="REPLAY 12 22 95 20"         # TFormReplay PlayButton: play and pause
    [REPLAY_STEP_BACK]="REPLAY 120 22 26 19"   # TFormReplay StepBackButton
    [REPLAY_STEP_NEXT]="REPLAY 148 22 26 19"   # TFormReplay StepForwardButton
    [REPLAY_SLOWER]="REPLAY 190 22 26 19"      # TFormReplay SlowerButton
    [REPLAY_FASTER]="REPLAY 264 22 26 19"      # TFormReplay FasterButton
    [REPLAY_PREV_EVENT]="REPLAY 306 22 26 19"  # TFormReplay PreviousButton: marker or event
    [REPLAY_NEXT_EVENT]="REPLAY 334 22 26 19"  # TFormReplay NextButton
    [REPLAY_FROM]="REPLAY 684 92 26 19"        # TFormReplay FromButton: export from
    [REPLAY_TO]="REPLAY 684 115 26 19"         # TFormReplay ToButton: export to
    [REPLAY_PRESET]="REPLAY 684 138 26 19"     # TFormReplay PresetButton: Excel or standard
    [REPLAY_EXPORT]="REPLAY 508 161 120 20"    # TFormReplay ExportButton: "Экспорт CSV"
    [REPLAY_CLOSE]="REPLAY 764 161 26 19"      # TFormReplay CloseButton
    [REPLAY_MARKER_SAVE]="REPLAY 398 159 26 19" # TFormReplay MarkerSaveButton: a marker's text
    [REPLAY_ANALYSE]="REPLAY 716 92 72 20"     # TFormReplay AnalyseButton: the analysis window
)
# The twelve graph-set buttons SET1..SET12 (Image20..Image31) in a row on the main window.
for _set in $(seq 1 12); do POSITIONS[SET$_set]="MAIN $((484 + 24 * (_set - 1))) 16 23 13"; done
# The actuator window's sixteen buttons, ACT4..ACT19 as its Image4..Image19 (95x20 each).
for _act in 4:43:63 12:139:63 8:293:63 16:389:63 5:43:134 13:139:134 9:293:134 17:389:134 \
    6:43:205 14:139:205 10:293:205 18:389:205 7:43:276 15:139:276 11:293:276 19:389:276; do
    IFS=: read -r _n _left _top <<<"$_act"
    POSITIONS[ACT$_n]="SECONDARY $_left $_top 95 20"
done
unset _set _act _n _left _top

# position_rect NAME: "X Y WIDTH HEIGHT" on the screen.
position_rect() {
    local spot="${POSITIONS[$1]:-}" window left top width height origin
    [ -n "$spot" ] || { log "no screen position named $1 (scripts/positions.sh)"; return 1; }
    read -r window left top width height <<<"$spot"
    case "$window" in
    MAIN) origin=("${POSITION_MAIN[@]}") ;;
    REPLAY) origin=("${POSITION_REPLAY[@]}") ;;
    *) origin=("${POSITION_SECONDARY[@]}") ;;
    esac
    echo "$((origin[0] + left)) $((origin[1] + top)) $width $height"
}

centre() {
    local rect x y w h
    rect="$(position_rect "$1")" || return 1
    read -r x y w h <<<"$rect"
    echo "$((x + w / 2)) $((y + h / 2))"
}

area() {
    local rect x y w h
    rect="$(position_rect "$1")" || return 1
    read -r x y w h <<<"$rect"
    echo "${w}x${h}+${x}+${y}"
}

# The point a helper was given: a control's name or X Y.
_point() {
    if [ $# -ge 2 ]; then echo "$1 $2"; else centre "$1"; fi
}

press() {
    local point x y
    point="$(_point "$@")" || return 1
    read -r x y <<<"$point"
    xdotool mousemove "$x" "$y" mousedown 1
}

release() { xdotool mouseup 1; }

click() {
    local point x y
    point="$(_point "$@")" || return 1
    read -r x y <<<"$point"
    xdotool mousemove "$x" "$y" mousedown 1 sleep 0.15 mouseup 1
}
