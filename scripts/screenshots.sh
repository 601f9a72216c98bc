#!/usr/bin/env bash
# Retakes the six README screenshots in docs/ from the programs of a build folder.
#
#   scripts/screenshots.sh [BIN_FOLDER]     # default: build/bin
#
# Runs each program on the simulated camera (the module beside the programs) on a virtual
# X display (Xvfb, no window manager, so a shot shows the bare window), drives it with
# xdotool as a user would and captures it with ImageMagick's import. Each run gets a fresh
# temporary settings folder and XDG_CONFIG_HOME, so no user settings are read or touched.
# Needs: bash, Xvfb, xdotool, imagemagick. SCREENSHOTS_OUT=folder writes elsewhere than docs/.
# The button places below hold for Qt's default font; check the shots after a layout change.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
bin=${1:-$here/build/bin}
[ -d "$bin" ] || { echo "screenshots.sh: no build folder $bin (give it as argument)" >&2; exit 1; }
bin=$(cd "$bin" && pwd)
out=${SCREENSHOTS_OUT:-$here/docs}
mkdir -p "$out"

for tool in Xvfb xdotool import convert identify; do
    command -v "$tool" >/dev/null || { echo "screenshots.sh: $tool is missing" >&2; exit 1; }
done
for program in Halvane Halvane-thermal; do
    [ -x "$bin/$program" ] || { echo "screenshots.sh: no $bin/$program" >&2; exit 1; }
done

work=$(mktemp -d)
xvfb_pid=
app_pid=

cleanup() {
    if [ -n "$app_pid" ]; then kill "$app_pid" 2>/dev/null || true; fi
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT

# A free display number: the first without a lock file, from 99 up.
display_number=99
while [ -e "/tmp/.X$display_number-lock" ] || [ -e "/tmp/.X11-unix/X$display_number" ]; do
    display_number=$((display_number + 1))
done
export DISPLAY=:$display_number
screen_w=1280 screen_h=1024
Xvfb "$DISPLAY" -screen 0 "${screen_w}x${screen_h}x24" -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
# Wait until the server answers.
for try in $(seq 50); do
    xdotool getmouselocation >/dev/null 2>&1 && break
    [ "$try" = 50 ] && { echo "screenshots.sh: Xvfb does not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
    sleep 0.2
done

export QT_QPA_PLATFORM=xcb
# Qt wants a private runtime folder; without one it warns on every start.
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
# The build may carry AddressSanitizer; leaks at exit are not our concern here.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}
# Same noise in every run, so the shots change only when the program does.
export HALVANE_SIM_SEED=1
unset HALVANE_SETTINGS_FOLDER HALVANE_CAMERA_SERVER HALVANE_SIM_DEVICES HALVANE_SIM_PIXELS \
      HALVANE_SIM_BITS HALVANE_SIM_FAIL HALVANE_SIM_TRIGGER_HZ QT_SCALE_FACTOR QT_FONT_DPI \
      QT_AUTO_SCREEN_SCALE_FACTOR QT_STYLE_OVERRIDE

# Wait for a visible window whose title matches the pattern; prints its id.
wait_window() {
    local id
    id=$(timeout 30 xdotool search --sync --onlyvisible --name "$1" | head -1) ||
        { echo "screenshots.sh: no window '$1' appeared" >&2; exit 1; }
    echo "$id"
}

# Wait until no visible window matches the pattern any more.
wait_gone() {
    for _ in $(seq 100); do
        xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    echo "screenshots.sh: window '$1' stays open" >&2
    exit 1
}

# Give a window the keyboard (there is no window manager to do it) and press keys.
keys() {
    local id=$1
    shift
    xdotool windowfocus --sync "$id"
    xdotool key --delay 80 "$@"
}

# Moves the mouse within a window. (No --sync: it waits 15 s when the mouse is there already.)
point() {
    xdotool mousemove --window "$1" "$2" "$3"
    sleep 0.3
}

# Click at a position relative to a window.
click() {
    point "$@"
    xdotool click 1
}

# Writes the 16-line device properties file (CR LF), so the program starts with
# the wanted averaging, integration time, axis and calibration file.
#   settings FOLDER ONE_CHANNEL AVERAGING INTEGRATION_MS NM CALIBRATION
settings() {
    mkdir -p "$1"
    printf '%s\r\n' 350 1000 0 2 16 2048 "$2" "$3" "$4" 1 1 1 1 "$5" 1 "$6" \
        >"$1/DevicePropertiesFile.ini"
}

# Starts a program and answers the start sequence: the message box (Return), then,
# only when the settings name no calibration file, the file dialog that asks for one
# (Escape: none). Sets $main to the main window's id.
#   start PROGRAM LAYOUT NAME ONE_CHANNEL AVERAGING INTEGRATION_MS NM CALIBRATION
start() {
    local layout=$2 name=$3 run box dialog
    program=$1
    run=$work/$name
    log=$run/log
    mkdir -p "$run/config"
    settings "$run/settings" "$4" "$5" "$6" "$7" "$8"
    (cd "$run" && XDG_CONFIG_HOME=$run/config HALVANE_SIM_LAYOUT=$layout \
        exec "$bin/$program" --settings-folder "$run/settings" >"$log" 2>&1) &
    app_pid=$!
    # The first message box; both programs title it "Halvane".
    box=$(wait_window "^Halvane")
    sleep 0.5
    keys "$box" Return
    # Either the file dialog or the main window comes next.
    for _ in $(seq 300); do
        if dialog=$(xdotool search --onlyvisible --name '^Open$' 2>/dev/null | head -1) &&
            [ -n "$dialog" ]; then
            sleep 0.5
            keys "$dialog" Escape
            wait_gone '^Open$'
        fi
        main=$(xdotool search --onlyvisible --name 'Devices' 2>/dev/null | head -1) || true
        [ -n "$main" ] && break
        sleep 0.1
    done
    [ -n "$main" ] || { echo "screenshots.sh: $program shows no main window" >&2; exit 1; }
    # Let the device open and the first layout settle.
    sleep 1.5
}

# Esc (stops a run, if any), Ctrl+Q, and wait for the program to end.
quit() {
    keys "$main" Escape
    sleep 0.5
    keys "$main" ctrl+q
    for _ in $(seq 100); do
        kill -0 "$app_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill "$app_pid" 2>/dev/null || true
    wait "$app_pid" 2>/dev/null || true
    app_pid=
    # Whatever the program said (a sanitizer report, a warning) is worth seeing.
    if [ -s "$log" ]; then
        sed "s/^/$program: /" "$log" >&2
    fi
}

# The main window alone, cropped to it (no window manager: no frame).
shot() {
    import -display "$DISPLAY" -window "$main" "$1"
}

# Window-relative places of the tool-bar buttons, at Qt's default font on this display.
button_x() {
    case $1 in
        plotType) echo 41 ;;
        SaveWhite) echo 199 ;;
        Setup) echo 470 ;;
        Record) echo 620 ;;
    esac
}
press() {
    click "$main" "$(button_x "$1")" 44
    sleep 0.5
}

# Green pixels of a capture within a rectangle, as ImageMagick's bounding box WxH+X+Y.
green_box() {
    convert "$1" -crop "$2" +repage -fuzz 20% -transparent 'rgb(0,128,0)' -alpha extract \
        -format '%@' info:
}

# Moves the mouse onto the tallest channel 1 line (drawn dark green), or with "dip" onto its
# deepest dip, so the status panels read a line. The line is found in a capture of the window:
# the topmost (bottommost) green pixel between the tool bar and the axis labels.
hover_line() {
    local image=$work/hover.png w h box y x
    shot "$image"
    w=$(identify -format %w "$image")
    h=$(identify -format %h "$image")
    box=$(green_box "$image" "${w}x$((h - 130))+0+70")
    y=$((70 + ${box##*+}))
    if [ "${1:-}" = dip ]; then
        box=${box%%+*}
        y=$((y + ${box#*x} - 2))
    fi
    box=$(green_box "$image" "${w}x2+0+$y")
    x=${box#*+}
    x=${x%%+*}
    # Two moves, so the program sees motion even when the mouse was there already.
    point "$main" "$x" "$((y + 3))"
    point "$main" "$x" "$y"
}

# hover_line twice: a longer value widens its panel and with it the window, which moves
# the axis under the mouse.
hover() {
    hover_line "$@"
    hover_line "$@"
}

# Opens the Setup dialog and sets its $setup id.
open_setup() {
    press Setup
    setup=$(wait_window ' Setup$')
    sleep 0.5
}

# Setup: a new integration time (its field has the focus when the dialog opens); Return = OK.
set_integration() {
    open_setup
    keys "$setup" ctrl+a
    xdotool type "$1"
    keys "$setup" Return
    wait_gone ' Setup$'
}

# A single measurement (F5); 10 or 20 ms plus the drawing take well under 2 s.
measure() {
    keys "$main" F5
    sleep 2
}

# 1. Standard, pixels, a single measurement at 10 ms, the mouse on a line.
start Halvane halves single 0 1 10 0 "$bin/calibration-halves.ini"
measure
hover
shot "$out/halvane-standard-single.png"
quit

# 2. The same in nanometres with the calibration of the halves layout.
start Halvane halves nm 0 1 10 1 "$bin/calibration-halves.ini"
measure
hover
shot "$out/halvane-standard-nm.png"
quit

# 3. Percent of a white reference. Save White keeps the next measurement as the white,
# taken at 20 ms; the measurement at 10 ms then reads about half of it.
start Halvane halves percent 0 1 20 0 "$bin/calibration-halves.ini"
press SaveWhite
measure
set_integration 10
measure
press plotType
sleep 1
# In percent the lines are dips.
hover dip
shot "$out/halvane-standard-percent.png"
quit

# 4. Recording a series during a continuous run. Scans to Save (Setup) = 1000 so the
# recording lasts long enough to be seen. The first press of Record asks for the file,
# the second starts the recording.
start Halvane halves recording 0 1 10 1 "$bin/calibration-halves.ini"
open_setup
click "$setup" 144 235     # into the Scans to Save field
keys "$setup" ctrl+a
xdotool type 1000
keys "$setup" Return
wait_gone ' Setup$'
press Record
save=$(wait_window '^Save As$')
sleep 0.5
xdotool windowfocus --sync "$save"
xdotool type --delay 20 "$work/series.txt"
keys "$save" Return
wait_gone '^Save As$'
sleep 0.5
press Record
keys "$main" F6
sleep 1.5
hover
shot "$out/halvane-standard-recording.png"
quit

# 5. Thermal, one channel, nanometres, after a measurement.
start Halvane-thermal single thermal 1 1 10 1 "$bin/calibration-single.ini"
measure
hover
shot "$out/halvane-thermal-nm.png"

# 6. The same with the Setup dialog open. The dialog opens at the screen's centre, so the
# main window goes there first (as a window manager would put it) and the dialog lies
# within it. The dialog is a window of its own: capture the screen and crop to the
# rectangle covering both windows.
eval "$(xdotool getwindowgeometry --shell "$main")"
xdotool windowmove "$main" $(((screen_w - WIDTH) / 2)) $(((screen_h - HEIGHT) / 2))
sleep 0.5
open_setup
eval "$(xdotool getwindowgeometry --shell "$main")"
left=$X top=$Y right=$((X + WIDTH)) bottom=$((Y + HEIGHT))
eval "$(xdotool getwindowgeometry --shell "$setup")"
left=$((X < left ? X : left)) top=$((Y < top ? Y : top))
right=$((X + WIDTH > right ? X + WIDTH : right))
bottom=$((Y + HEIGHT > bottom ? Y + HEIGHT : bottom))
import -display "$DISPLAY" -window root -crop "$((right - left))x$((bottom - top))+$left+$top" \
    +repage "$out/halvane-thermal-setup.png"
keys "$setup" Escape
wait_gone ' Setup$'
quit

echo "screenshots.sh: six screenshots in $out"
