#!/usr/bin/env bash
# Installs the build tree into a temporary prefix and checks the installed tree: every file in
# its place, the module and data folders the programs have compiled in match where the install
# put them (relative to the configured prefix), every shared library resolves, and each installed
# program starts offscreen, picks its menu settings folder and waits at its first prompt.
# The programs cannot be run further unattended: the start sequence opens a message box first.
set -euo pipefail

build=$1 prefix=$2 bindir=$3 moduledir=$4 datadir_full=$5 datadir=$6 mandir=$7
tmp=$(mktemp -d)
pid=
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
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
expect_file "$mandir/man1/Halvane.1"
expect_file "$mandir/man1/Halvane-thermal.1"
[ "$failures" -eq 0 ] || exit 1

for program in Halvane Halvane-thermal; do
    binary=$root/$bindir/$program
    grep -qaF "$moduledir" "$binary" || fail "$program does not look for its module in $moduledir"
    grep -qaF "$datadir_full" "$binary" || fail "$program does not look for its data in $datadir_full"
done
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

# The menu entry's variable, with the configuration folder not yet made.
for program in Halvane Halvane-thermal; do
    exec_line=$(grep '^Exec=' "$root/$datadir/applications/${program,,}.desktop")
    [ "$exec_line" = "Exec=env HALVANE_SETTINGS_FOLDER=xdg $program" ] ||
        fail "${program,,}.desktop: unexpected $exec_line"
    work=$tmp/work-$program config=$tmp/config-$program
    mkdir -p "$work"
    (cd "$work" && QT_QPA_PLATFORM=offscreen HALVANE_SETTINGS_FOLDER=xdg XDG_CONFIG_HOME=$config \
        exec "$root/$bindir/$program") >"$tmp/$program.log" 2>&1 &
    pid=$!
    for _ in $(seq 300); do
        [ -d "$config/halvane" ] || ! kill -0 "$pid" 2>/dev/null && break
        sleep 0.1
    done
    [ -d "$config/halvane" ] || fail "$program did not make $config/halvane"
    sleep 1
    if kill -0 "$pid" 2>/dev/null; then
        kill "$pid"
        wait "$pid" 2>/dev/null || true
    else
        wait "$pid" && rc=0 || rc=$?
        fail "$program ended during its start (exit $rc):"
        cat "$tmp/$program.log"
    fi
    pid=
    [ -z "$(ls -A "$work")" ] || fail "$program wrote into its start folder"
done

[ "$failures" -eq 0 ] || exit 1
echo "installed tree in order"
