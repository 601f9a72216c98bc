#!/usr/bin/env bash
# Installs the build tree into a temporary prefix and checks the installed tree: every file in
# its place, every shared library resolves, and each installed program, started from its menu
# entry's command line on a virtual X display, goes through its start sequence as a user would
# and finds the module and the data in the temporary prefix (not at the configured one).
set -euo pipefail

build=$1 prefix=$2 bindir=$3 moduledir=$4 datadir_full=$5 datadir=$6 mandir=$7
tmp=$(mktemp -d)
pid= xvfb=
cleanup() {
    for process in $pid $xvfb; do
        kill "$process" 2>/dev/null || true
        wait "$process" 2>/dev/null || true
    done
    rm -rf "$tmp"
}
trap cleanup EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

under_prefix() {
    case $1 in
        "$prefix"/*) echo "${1#"$prefix"/}" ;;
        *) echo "FAIL: $1 is not under the prefix $prefix" >&2; exit 1 ;;
    esac
}

root=$tmp/root
cmake --install "$build" --prefix "$root" >"$tmp/install.log" || {
    cat "$tmp/install.log"
    exit 1
}
module_rel=$(under_prefix "$moduledir")
data_rel=$(under_prefix "$datadir_full")

expect_file() { [ -f "$root/$1" ] || fail "missing $1"; }
for program in Halvane Halvane-thermal; do
    [ -x "$root/$bindir/$program" ] || fail "missing program $bindir/$program"
done
expect_file "$module_rel/halvane-camera-server.so"
for shipped in "$build"/bin/calibration-*.ini; do
    expect_file "$data_rel/$(basename "$shipped")"
done
expect_file "$datadir/applications/halvane.desktop"
expect_file "$datadir/applications/halvane-thermal.desktop"
for size in 16 32 48 64 128 256; do
    expect_file "$datadir/icons/hicolor/${size}x$size/apps/halvane.png"
done
expect_file "$datadir/icons/hicolor/scalable/apps/halvane.svg"
for page in Halvane Halvane-thermal; do
    expect_file "$mandir/man1/$page.1.gz"
    gzip -t "$root/$mandir/man1/$page.1.gz" 2>/dev/null || fail "$page.1.gz is not a gzip file"
done
[ "$failures" -eq 0 ] || exit 1

for binary in "$root/$bindir/Halvane" "$root/$bindir/Halvane-thermal" \
    "$root/$module_rel/halvane-camera-server.so"; do
    if ldd "$binary" | grep -q "not found"; then
        fail "$(basename "$binary") has unresolved libraries:"
        ldd "$binary" | grep "not found"
    fi
done
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$root/$datadir"/applications/*.desktop || fail "desktop files"
fi

# Each program is driven through its start with keys, as a user would: the first message
# box answered, the calibration file named in the open dialog (which starts in the data folder the
# program found), the window closed with Ctrl+Q. The settings file is written at exit only when a
# device was opened; with the module mapped from the temporary prefix and the file naming the
# installed calibration, both lookups are proven.
command -v Xvfb >/dev/null && command -v xdotool >/dev/null ||
    { echo "FAIL: the start check needs Xvfb and xdotool (apt-get install xvfb xdotool)"; exit 1; }
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$tmp/display" 2>"$tmp/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do [ -s "$tmp/display" ] && break; sleep 0.1; done
[ -s "$tmp/display" ] || { echo "FAIL: Xvfb did not start"; cat "$tmp/xvfb.log"; exit 1; }
export DISPLAY=:$(cat "$tmp/display")

# Waits up to 30 s for a window whose title is exactly $1 and prints its id.
window_named() {
    local ids
    for _ in $(seq 300); do
        ids=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null || true)
        [ -n "$ids" ] && { echo "${ids%%$'\n'*}"; return 0; }
        kill -0 "$pid" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}
press() { xdotool windowfocus --sync "$1" && sleep 0.3 && xdotool key --clearmodifiers "${@:2}"; }

declare -A calibration=([Halvane]=calibration-halves.ini [Halvane-thermal]=calibration-single.ini)
declare -A layout=([Halvane]=halves [Halvane-thermal]=single)
for program in Halvane Halvane-thermal; do
    exec_line=$(grep '^Exec=' "$root/$datadir/applications/${program,,}.desktop")
    [ "$exec_line" = "Exec=$program --settings-folder xdg" ] ||
        fail "${program,,}.desktop: unexpected $exec_line"
    work=$tmp/work-$program config=$tmp/config-$program
    mkdir -p "$work"
    (cd "$work" && exec env -u HALVANE_CAMERA_SERVER QT_QPA_PLATFORM=xcb \
        HALVANE_SIM_LAYOUT="${layout[$program]}" XDG_CONFIG_HOME="$config" \
        "$root/$bindir/$program" --settings-folder xdg) >"$tmp/$program.log" 2>&1 &
    pid=$!
    step=
    if ! box=$(window_named Halvane); then
        step="no first message box"
    elif ! press "$box" Return; then
        step="could not answer the first message box"
    elif ! dialog=$(window_named "Open"); then
        step="no open dialog for the calibration file (module not found?)"
    elif ! { press "$dialog" ctrl+a && xdotool type --delay 30 "${calibration[$program]}"; }; then
        step="could not type into the open dialog"
    elif ! xdotool key Return || ! main=$(window_named "Corvane Devices Halvane"); then
        step="no main window after choosing ${calibration[$program]}"
    elif ! grep -qF "$root/$module_rel/halvane-camera-server.so" "/proc/$pid/maps"; then
        step="the module loaded is not the installed one: $(grep -o '/.*camera-server.*' \
            "/proc/$pid/maps" | sort -u)"
    elif ! press "$main" ctrl+q; then
        step="could not close the main window"
    fi
    for _ in $(seq 300); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$pid" 2>/dev/null; then
        [ -n "$step" ] || step="still running after Ctrl+Q"
        import -display "$DISPLAY" -window root "$tmp/$program.png" 2>/dev/null || true
        kill "$pid"
        wait "$pid" 2>/dev/null || true
    else
        wait "$pid" && rc=0 || rc=$?
        [ -n "$step" ] || [ "$rc" -eq 0 ] || step="exit status $rc"
    fi
    pid=
    settings=$config/halvane/DevicePropertiesFile.ini
    expected=$root/$data_rel/${calibration[$program]}
    if [ -n "$step" ]; then
        fail "$program: $step"
        cat "$tmp/$program.log"
    elif [ ! -f "$settings" ]; then
        fail "$program wrote no $settings (no device opened: module not found?)"
    elif [ "$(sed -n 16p "$settings" | tr -d '\r')" != "$expected" ]; then
        fail "$program: settings name $(sed -n 16p "$settings"), not $expected"
    fi
    [ -z "$(ls -A "$work")" ] || fail "$program wrote into its start folder"
done

[ "$failures" -eq 0 ] || exit 1
echo "installed tree in order"
