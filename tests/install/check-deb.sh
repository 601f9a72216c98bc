#!/usr/bin/env bash
# Builds the .deb as a packager would, from a Release tree without sanitizers holding only the
# installed targets, and checks it with lintian: any error or warning fails. Exits 77 (skipped)
# where lintian is not installed.
set -euo pipefail

source=$1 tree=$2 compiler=$3
command -v lintian >/dev/null || { echo "lintian is not installed: skipped"; exit 77; }
for tool in dpkg-shlibdeps file; do
    command -v "$tool" >/dev/null ||
        { echo "FAIL: building the package needs $tool (apt-get install dpkg-dev file)"; exit 1; }
done

# The log stays inside the tree, so a tree beside the sources leaves no stray file there.
mkdir -p "$tree"
log=$tree/check-deb.log
# The install must not build the whole tree: only the installed targets are built below.
cmake -S "$source" -B "$tree" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DHALVANE_SANITIZE=OFF -DHALVANE_TESTS=OFF -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
    -DCMAKE_CXX_COMPILER="$compiler" >"$log" 2>&1 &&
    cmake --build "$tree" -j"$(nproc)" \
        --target Halvane Halvane-thermal halvane-camera-server halvane_docs >>"$log" 2>&1 || {
    cat "$log"
    echo "FAIL: the package tree did not build"
    exit 1
}
rm -f "$tree"/halvane_*.deb
(cd "$tree" && cpack -G DEB) >"$log" 2>&1 || { cat "$log"; echo "FAIL: cpack"; exit 1; }
packages=("$tree"/halvane_*.deb)
[ ${#packages[@]} -eq 1 ] && [ -f "${packages[0]}" ] ||
    { cat "$log"; echo "FAIL: cpack made ${packages[*]}, not one halvane_*.deb"; exit 1; }

echo "lintian $(lintian --print-version) on $(basename "${packages[0]}"):"
# No configuration file, so a local profile or suppressed tags cannot hide a finding.
lintian --no-cfg --fail-on error,warning "${packages[0]}" && status=0 || status=$?
[ "$status" -eq 0 ] || { echo "FAIL: lintian exit status $status"; exit 1; }
echo "package passes lintian"
