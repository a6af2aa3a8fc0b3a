#!/usr/bin/env bash
# Installs the build into a temporary prefix and starts the program the way a desktop does, from
# the Exec line of its desktop entry, on a virtual X display: the main window must come up, open
# the chooser on Ctrl+F2 and end cleanly on Ctrl+Q.
#
#   installed.sh <build folder> <folder for screenshots>
#
# Exit code 77 means that Xvfb or xdotool is missing (ctest reports the test as skipped).
set -uo pipefail

BUILD=${1:?build folder}
ARTEFACTS=${2:?folder for screenshots}
STEP_TIMEOUT=${E2E_STEP_TIMEOUT:-30}

for tool in Xvfb xdotool; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIP: $tool is not installed (Debian packages xvfb and xdotool)"
        exit 77
    fi
done
export QT_QPA_PLATFORM=xcb
# A sanitizer build reports what the system's D-Bus library keeps at exit; those are not ours.
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$(cd "$(dirname "$0")/../.." && pwd)/.ci/lsan.supp:print_suppressions=0}"
unset WAYLAND_DISPLAY

mkdir -p "$ARTEFACTS"
WORK=$(mktemp -d)
PREFIX="$WORK/prefix"
XVFB_PID=""
APP_PID=""
cleanup() {
    [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null && wait "$APP_PID" 2>/dev/null
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*"
    command -v import >/dev/null 2>&1 && import -window root "$ARTEFACTS/installed-failure.png" 2>/dev/null
    exit 1
}

cmake --install "$BUILD" --prefix "$PREFIX" >"$ARTEFACTS/installed-install.log" 2>&1 || fail "cmake --install failed (installed-install.log)"
for f in bin/zuvrack share/applications/zuvrack.desktop share/icons/hicolor/64x64/apps/zuvrack.png \
    "share/zuvrack/data/Cursors & Icons/icons/kverta.ico" share/zuvrack/data/Bitmaps/stage-01-.gif; do
    [ -e "$PREFIX/$f" ] || fail "not installed: $f"
done
[ -d "$PREFIX/share/zuvrack/data/d_files" ] || fail "not installed: the project folder"

EXEC=$(sed -n 's/^Exec=//p' "$PREFIX/share/applications/zuvrack.desktop")
[ "$EXEC" = "$PREFIX/bin/zuvrack %f" ] || fail "the desktop entry starts '$EXEC'"
# Started from the menu there is no file: the desktop drops the %f.
EXEC=${EXEC% %f}

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$WORK/display" 2>/dev/null &
XVFB_PID=$!
for _ in $(seq $((STEP_TIMEOUT * 10))); do
    [ -s "$WORK/display" ] && break
    sleep 0.1
done
[ -s "$WORK/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(head -n1 "$WORK/display" | tr -d '[:space:]')"

# The user's data folder of this run only.
export XDG_DATA_HOME="$WORK/home-data"
(cd "$WORK" && exec $EXEC) >"$ARTEFACTS/installed-run.log" 2>&1 &
APP_PID=$!
MAIN=$(timeout "$STEP_TIMEOUT" xdotool search --sync --onlyvisible --name '^Zuvrack \[v 0\.1\.0f\]$' | tail -n1)
[ -n "$MAIN" ] || fail "the installed program showed no main window"

# On a loaded machine a key sent before the window has the keyboard is lost: focus it, then send
# the key again until its window answers.
focus_main() {
    for _ in $(seq $((STEP_TIMEOUT * 10))); do
        [ "$(xdotool getwindowfocus 2>/dev/null)" = "$MAIN" ] && return 0
        xdotool windowfocus "$MAIN" 2>/dev/null
        sleep 0.1
    done
    fail "the main window never got the keyboard"
}
CHOOSER=""
for _ in $(seq "$STEP_TIMEOUT"); do
    focus_main
    xdotool key ctrl+F2
    CHOOSER=$(timeout 1 xdotool search --sync --onlyvisible --name '^Создать новый файл$' | tail -n1)
    [ -n "$CHOOSER" ] && break
done
[ -n "$CHOOSER" ] || fail "no chooser after Ctrl+F2"
sleep 0.3
command -v import >/dev/null 2>&1 && import -window root "$ARTEFACTS/installed-chooser.png"
xdotool key --window "$CHOOSER" Escape
for _ in $(seq $((STEP_TIMEOUT * 10))); do
    xdotool search --onlyvisible --name '^Создать новый файл$' >/dev/null 2>&1 || break
    xdotool key --window "$CHOOSER" Escape 2>/dev/null
    sleep 0.1
done
for _ in $(seq "$STEP_TIMEOUT"); do
    kill -0 "$APP_PID" 2>/dev/null || break
    focus_main
    xdotool key ctrl+q
    sleep 1
done
for _ in $(seq $((STEP_TIMEOUT * 10))); do
    kill -0 "$APP_PID" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$APP_PID" 2>/dev/null && fail "the program did not end after Ctrl+Q"
wait "$APP_PID"
rc=$?
APP_PID=""
[ $rc -eq 0 ] || fail "the program ended with code $rc"
echo "PASS: installed under $PREFIX, started from the desktop entry"
