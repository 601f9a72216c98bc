# Installs the Debian packages the build needs, or says how when not root.
halvane_require_packages() {
    local missing=()
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing packages. Install them with:"
        echo "  sudo apt-get install -y ${missing[*]}"
        exit 1
    fi
    echo "Installing ${missing[*]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
}

HALVANE_BUILD_PACKAGES=(qt6-base-dev libqcustomplot-dev libgl-dev libgtest-dev cmake g++)
# The install check drives the installed programs on a virtual X display; the package check
# builds the .deb (dpkg-shlibdeps from dpkg-dev, file) and runs lintian on it.
HALVANE_TEST_PACKAGES=(xvfb xauth xdotool dpkg-dev file lintian)
