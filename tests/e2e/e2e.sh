#!/usr/bin/env bash
# End-to-end run of the real program on a virtual X display, driven the way a person drives it:
# keys typed into the windows that are on the screen, nothing else.
#
#   e2e.sh <zuvrack executable> <folder of expected files> <folder for screenshots and logs>
#
# Run 1 describes a four-bar linkage from Ctrl+F2 to the save dialog and compares the .kv and
# .zvr files byte for byte with the expected ones. Run 2 starts the program again, loads that
# project, changes one value in the free-edit tree and saves it under a second name. Run 3 kills
# the program (SIGKILL) in the middle of stage 2 of the same description, starts it again, resumes
# the description from the File menu, finishes it, and compares both files again.
# Exit code 77 means that Xvfb, xdotool or ImageMagick is missing (ctest reports the test as
# skipped); ImageMagick takes the screenshots and finds the selected row of the free-edit tree.
set -uo pipefail

ZUVRACK=${1:?zuvrack executable}
EXPECTED=${2:?folder of expected files}
ARTEFACTS=${3:?folder for screenshots}
STEP_TIMEOUT=${E2E_STEP_TIMEOUT:-30}

for tool in Xvfb xdotool import convert; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIP: $tool is not installed (Debian packages xvfb, xdotool and imagemagick)"
        exit 77
    fi
done

DATA_FILES="$(dirname "$ZUVRACK")/data/d_files"
if [ ! -d "$DATA_FILES" ]; then
    echo "FAIL: no data folder beside the program: $DATA_FILES"
    exit 1
fi

# The real X display of the run, whatever the caller's environment says.
export QT_QPA_PLATFORM=xcb
# A sanitizer build reports what the system's D-Bus library keeps at exit; those are not ours.
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$(cd "$(dirname "$0")/../.." && pwd)/.ci/lsan.supp:print_suppressions=0}"
unset WAYLAND_DISPLAY

mkdir -p "$ARTEFACTS"
# The install test writes its own installed-* files into the same folder, maybe at the same time.
find "$ARTEFACTS" -maxdepth 1 \( -name "*.png" -o -name "*.log" \) ! -name "installed-*" -delete
WORK=$(mktemp -d)
# Project names of this run only, so that parallel runs in other build folders never meet.
NAME1="e2e$$a"
NAME2="e2e$$b"
NAME3="e2e$$c"
# The user's own data folder (journals of interrupted descriptions) of this run only.
export XDG_DATA_HOME="$WORK/xdg"
XVFB_PID=""
APP_PID=""

cleanup() {
    if [ -n "$APP_PID" ] && kill -0 "$APP_PID" 2>/dev/null; then
        kill "$APP_PID" 2>/dev/null
        wait "$APP_PID" 2>/dev/null
    fi
    if [ -n "$XVFB_PID" ] && kill -0 "$XVFB_PID" 2>/dev/null; then
        kill "$XVFB_PID" 2>/dev/null
        wait "$XVFB_PID" 2>/dev/null
    fi
    rm -f "$DATA_FILES/$NAME1.zvr" "$DATA_FILES/$NAME2.zvr" "$DATA_FILES/$NAME3.zvr" "$DATA_FILES"/e2e$$?.journal.txt
    rm -rf "$WORK"
}
trap cleanup EXIT

shot() {
    if command -v import >/dev/null 2>&1; then
        import -window root "$ARTEFACTS/$1.png" 2>/dev/null || true
    fi
}

fail() {
    echo "FAIL: $*" >&2
    shot failure
    if [ -n "$APP_PID" ] && [ -f "$ARTEFACTS/run.log" ]; then
        echo "--- program output"
        tail -n 40 "$ARTEFACTS/run.log"
    fi
    exit 1
}

# Xvfb picks a free display itself and writes its number to the descriptor we give it.
start_xvfb() {
    local fifo="$WORK/display"
    # -noreset: when the last program leaves, the server would reset and refuse, for a moment,
    # the next program of the run.
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$fifo" 2>"$ARTEFACTS/xvfb.log" &
    XVFB_PID=$!
    local n=0
    while [ ! -s "$fifo" ]; do
        kill -0 "$XVFB_PID" 2>/dev/null || fail "Xvfb did not start (see xvfb.log)"
        n=$((n + 1))
        [ $n -gt $((STEP_TIMEOUT * 10)) ] && fail "Xvfb gave no display number"
        sleep 0.1
    done
    export DISPLAY=":$(head -n1 "$fifo" | tr -d '[:space:]')"
    echo "display $DISPLAY"
}

# Waits for a shown window whose name matches the pattern; its id is left in WIN. Polled rather
# than "search --sync": a window that closes while xdotool walks the tree makes it give up.
WIN=""
wait_window() {
    local n=0
    WIN=""
    while [ -z "$WIN" ]; do
        WIN=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -n1)
        [ -n "$WIN" ] && return
        n=$((n + 1))
        [ $n -gt $((STEP_TIMEOUT * 20)) ] && fail "no window named '$1' within ${STEP_TIMEOUT}s"
        sleep 0.05
    done
}

# Gone when two looks in a row find nothing: one look can miss a window while another one closes.
wait_gone() {
    local n=0 misses=0
    while [ $misses -lt 2 ]; do
        if xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; then misses=0; else misses=$((misses + 1)); fi
        n=$((n + 1))
        [ $n -gt $((STEP_TIMEOUT * 20)) ] && fail "window '$1' did not close"
        sleep 0.05
    done
}

# Waits until the keyboard focus is on the given window: keys typed earlier would be lost.
wait_focus() {
    local n=0
    while [ "$(xdotool getwindowfocus 2>/dev/null)" != "$1" ]; do
        n=$((n + 1))
        if [ $((n % 20)) -eq 0 ]; then
            xdotool windowfocus "$1" 2>/dev/null # what a click on the window would do
        fi
        [ $n -gt $((STEP_TIMEOUT * 20)) ] && fail "window $1 never got the keyboard"
        sleep 0.05
    done
}

# The question dialog has no caption, so the name it shows is the program's own. Every question is
# a dialog of its own, and X gives each new window a higher id than the one before.
LAST_DIALOG=0
next_dialog() {
    local n=0 id best
    while :; do
        best=""
        for id in $(xdotool search --onlyvisible --class '^zuvrack$' 2>/dev/null); do
            if [ "$id" -gt "$LAST_DIALOG" ] && { [ -z "$best" ] || [ "$id" -lt "$best" ]; } &&
                [ "$(xdotool getwindowname "$id" 2>/dev/null)" = zuvrack ]; then
                best=$id
            fi
        done
        if [ -n "$best" ]; then
            LAST_DIALOG=$best
            wait_focus "$best"
            return
        fi
        n=$((n + 1))
        [ $n -gt $((STEP_TIMEOUT * 20)) ] && fail "no question dialog within ${STEP_TIMEOUT}s (question $1)"
        sleep 0.05
    done
}

type_text() { xdotool type --delay 20 -- "$1"; }

# One text question: the default "0" is selected, so typing replaces it; Enter presses Ок.
answer() {
    next_dialog "$1"
    type_text "$1"
    xdotool key Return
}
# Yes/No questions: ДА is the default button; Tab moves to НЕТ and Space presses it.
answer_yes() {
    next_dialog "ДА"
    xdotool key Return
}
answer_no() {
    next_dialog "НЕТ"
    xdotool key Tab space
}

# Answers typed into the wizard's answer box, each followed by Enter.
WIZARD=""
box() {
    local word
    wait_focus "$WIZARD"
    for word in "$@"; do
        type_text "$word"
        xdotool key Return
    done
}
end_stage() {
    wait_focus "$WIZARD"
    xdotool key shift+Return
}

# The Qt file dialog: the file name box has the focus; a full path and Enter choose the file.
file_dialog() {
    wait_window "$1"
    wait_focus "$WIN"
    type_text "$2"
    xdotool key Return
    wait_gone "$1"
}

start_program() {
    : >"$ARTEFACTS/run.log"
    "$ZUVRACK" >>"$ARTEFACTS/run.log" 2>&1 &
    APP_PID=$!
    # The virtual display once refused a program for a moment on a loaded machine: the program
    # itself ran no code of ours then, so it is started once more, and the log says so.
    local n=0
    while [ $n -lt 40 ] && kill -0 "$APP_PID" 2>/dev/null && ! xdotool search --onlyvisible --name '^Zuvrack \[v' >/dev/null 2>&1; do
        n=$((n + 1))
        sleep 0.05
    done
    if ! kill -0 "$APP_PID" 2>/dev/null && grep -q "could not connect to display" "$ARTEFACTS/run.log"; then
        echo "note: the display refused the program once; started again"
        "$ZUVRACK" >>"$ARTEFACTS/run.log" 2>&1 &
        APP_PID=$!
    fi
    wait_window '^Zuvrack \[v 0\.1\.0f\]$'
    MAIN=$WIN
    # No window manager gives the first window the keyboard; a person would click the strip.
    xdotool windowfocus "$MAIN"
    wait_focus "$MAIN"
    LAST_DIALOG=0
}

# File → Выход by its key; the program must end by itself and cleanly.
quit_program() {
    xdotool windowfocus "$MAIN"
    wait_focus "$MAIN"
    xdotool key ctrl+q
    local n=0
    while kill -0 "$APP_PID" 2>/dev/null; do
        n=$((n + 1))
        [ $n -gt $((STEP_TIMEOUT * 20)) ] && fail "the program did not end after Ctrl+Q"
        sleep 0.05
    done
    wait "$APP_PID"
    local rc=$?
    APP_PID=""
    [ $rc -eq 0 ] || fail "the program ended with code $rc"
}

# Ctrl+F2, then the chooser's picture (it has the focus) opened with Enter.
open_wizard() {
    xdotool key ctrl+F2
    wait_window '^Создать новый файл$'
    wait_focus "$WIN"
    shot "$1-chooser"
    xdotool key Return
    wait_gone '^Создать новый файл$'
    wait_window '^Zuvrack: KVERTA mode \[v 0\.1\.1a\]$'
    WIZARD=$WIN
}

compare() {
    if cmp -s "$1" "$2"; then
        echo "ok: $(basename "$2") is byte for byte as expected"
    else
        cp "$2" "$ARTEFACTS/" 2>/dev/null
        echo "--- first differences (offset, expected, got):"
        cmp -l "$1" "$2" 2>&1 | head -n 10
        fail "$(basename "$2") differs from $1 (copy kept in $ARTEFACTS)"
    fi
}

# The highlighted row of a tree, found in a picture of its window: the middle of the first run of
# pixels in the given column that are clearly blue (the selection colour).
selected_row_y() {
    local window=$1 x=$2 height
    height=$(xdotool getwindowgeometry "$window" | awk '/Geometry/ {split($2, g, "x"); print g[2]}')
    import -window "$window" "$WORK/tree.png" || fail "no picture of the free-edit window"
    convert "$WORK/tree.png" -crop "1x${height}+${x}+0" txt:- | awk '
        NR > 1 {
            split($1, p, "[,:]"); c = $2; gsub("[()]", "", c); split(c, rgb, ",")
            if (rgb[3] + 0 > rgb[1] + 60) { if (first == "") first = p[2]; last = p[2] }
            else if (first != "") exit
        }
        END { if (first != "") print int((first + last) / 2) }'
}

# The four-bar of the expected files: stage 1 up to the group, then stage 2 in two parts.
fourbar_stage1() {
    box r 0 1 A r 1 2 B r 2 3 C r 3 0 D
    end_stage
    box 0 1                  # frame, driving link
    answer_yes               # force analysis
    answer S1                # centres of mass of links 1, 2, 3
    answer S2
    answer S3
    answer_yes               # all centres given
    box 2 F                  # force point F on link 2
    end_stage
    answer_yes               # more points of interest
    box 3 K                  # point K on link 3
    end_stage
    shot 1-groups
    box 2 3                  # the one Assur group; stage 2 starts by itself
}
fourbar_frame_pairs() {
    answer 0                 # A: X, Y
    answer 0
    answer 0.4               # D: X, Y
    answer -0.1
}
fourbar_rest() {
    answer 0.1               # lengths A-B, B-C, C-D
    answer 0.5
    answer 0.3
    answer_no                # B-C-D not clockwise
    answer 0.1               # point K: distance from D, angle
    answer 30
    answer 0.05              # centres of mass: distance, angle for links 1, 2, 3
    answer 0
    answer 0.25
    answer 0
    answer 0.15
    answer 0
    answer 0.2               # force at F: distance, angle, direction, magnitude
    answer 0
    answer 270
    answer 100
    answer 2                 # link 1: mass, moment of inertia (driving: no external moment)
    answer 0.01
    answer 4                 # link 2: mass, moment, external moment
    answer 0.1
    answer 0
    answer 3                 # link 3
    answer 0.02
    answer -15
}

############################################################################################
start_xvfb
[ -n "${E2E_DEBUG:-}" ] && set -x

echo "== run 1: a new four-bar linkage described through the wizard"
start_program
shot 1-main
open_wizard 1
answer_yes # "Нажмите 'Да' для создания нового механизма"
shot 1-wizard
fourbar_stage1
fourbar_frame_pairs
fourbar_rest
shot 1-save-dialog
file_dialog '^(Save As|Сохранить как)$' "$WORK/$NAME1.kv"
wait_window 'KVERTA file compillator'
shot 1-compiled
[ -f "$WORK/$NAME1.kv" ] || fail "no .kv file written"
[ -f "$DATA_FILES/$NAME1.zvr" ] || fail "no project file in $DATA_FILES"
compare "$EXPECTED/fourbar.kv" "$WORK/$NAME1.kv"
compare "$EXPECTED/fourbar.zvr" "$DATA_FILES/$NAME1.zvr"
quit_program

echo "== run 2: the project loaded, one value changed in the free-edit tree, saved again"
start_program
open_wizard 2
answer_no # load a project
file_dialog '^(Open|Открыть)$' "$WORK/$NAME1.kv"
wait_window '^FreeLancer Mode \[v 0\.1\.0f\]$'
FREE=$WIN
xdotool windowfocus "$FREE"
wait_focus "$FREE"
# The tree has the keyboard: Пары, A, D; open D and go to its second value, the Y coordinate.
xdotool key Home Down Down Right Down Down
sleep 0.2 # the selection is painted on the next event-loop turn
shot 2-selected
Y=$(selected_row_y "$FREE" 400)
[ -n "$Y" ] || fail "no selected row in the free-edit tree"
# A value is edited by a double-click on its node; the window offers no key for it.
xdotool mousemove --window "$FREE" 400 "$Y" click --repeat 2 --delay 80 1
answer -0.2
shot 2-edited
# From the tree, Tab reaches С О Х Р А Н И Т Ь; Space presses it.
xdotool windowfocus "$FREE"
wait_focus "$FREE"
xdotool key Tab space
file_dialog '^(Save As|Сохранить как)$' "$WORK/$NAME2.kv"
wait_window 'KVERTA file compillator'
shot 2-saved
compare "$EXPECTED/fourbar-edited.kv" "$WORK/$NAME2.kv"
compare "$EXPECTED/fourbar-edited.zvr" "$DATA_FILES/$NAME2.zvr"
quit_program

echo "== run 3: killed in the middle of stage 2, started again, resumed, finished"
start_program
open_wizard 3
answer_yes
fourbar_stage1
fourbar_frame_pairs
next_dialog "the first length" # on the screen: every answer before it is in the journal
shot 3-before-kill
ls "$XDG_DATA_HOME"/zuvrack/journals/*.journal >/dev/null 2>&1 || fail "no journal of the description under way"
kill -KILL "$APP_PID"
wait "$APP_PID" 2>/dev/null
APP_PID=""
start_program
# File menu: Новый механизм, Открыть пример, Восстановить прерванное описание.
xdotool key alt+f
sleep 0.3
shot 3-file-menu
xdotool key Down Down Return
wait_window '^Zuvrack: KVERTA mode \[v 0\.1\.1a\]$'
WIZARD=$WIN
# The replay ends at the question the program was killed at: the first length, asked again.
LAST_DIALOG=0
shot 3-resumed
fourbar_rest
file_dialog '^(Save As|Сохранить как)$' "$WORK/$NAME3.kv"
wait_window 'KVERTA file compillator'
shot 3-compiled
compare "$EXPECTED/fourbar.kv" "$WORK/$NAME3.kv"
compare "$EXPECTED/fourbar.zvr" "$DATA_FILES/$NAME3.zvr"
[ -f "$DATA_FILES/$NAME3.journal.txt" ] || fail "the finished description kept no journal beside its project"
[ -d "$XDG_DATA_HOME/zuvrack/journals" ] || fail "no journal folder in $XDG_DATA_HOME/zuvrack"
ls "$XDG_DATA_HOME"/zuvrack/journals/*.journal >/dev/null 2>&1 && fail "the finished description is still offered for resuming"
quit_program

echo "PASS"
exit 0
