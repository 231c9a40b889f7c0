# Sourced by the build, test and bench scripts: the Debian packages each needs, and
# need_packages, which installs those that are missing.
need_packages() {
    local missing=() p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing ${missing[*]}" >&2
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || { echo "Installing packages needs root: run this as root, or install sudo" >&2; return 1; }
        sudo=(sudo)
    fi
    "${sudo[@]}" apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# What building and running the program needs.
BUILD_PACKAGES=(cmake make g++ qt6-base-dev libpulse-dev pkgconf qt6-qpa-plugins qt6-wayland fonts-ipafont-gothic fonts-liberation2)
# What the tests need besides (scripts/test): the private servers, the checks of
# the desktop files, the listing and the package, the layout check and the X tools.
TEST_PACKAGES=(xvfb xauth pulseaudio pulseaudio-utils desktop-file-utils appstream lintian clang-format xdotool xclip
    dbus-daemon dbus-bin at-spi2-core python3-pyatspi weston openbox icewm x11-utils x11-xserver-utils libxcb1-dev)
# What the benchmark needs besides (bench/run).
BENCH_PACKAGES=(xvfb xauth x11-utils pulseaudio pulseaudio-utils libx11-dev)
# What cpack -G DEB needs besides: dpkg-shlibdeps finds the libraries to depend on, in the files that file picks out.
DEB_PACKAGES=(dpkg-dev file)
# What the Windows build needs (scripts/windows): the MinGW-w64 cross compiler,
# apt-get source and Qt's own build tools for Qt, icotool for the program's
# icon (and wrestool, which reads the manifest back), NSIS for the installer,
# osslsigncode and openssl to sign, and Wine on private X and sound servers to
# test it, with Debian's fonts for the Japanese captions.
WINDOWS_PACKAGES=(cmake ninja-build g++-mingw-w64-x86-64-posix dpkg-dev qt6-base-dev qt6-base-dev-tools icoutils nsis
    osslsigncode openssl python3
    wine wine64 libwine fonts-ipafont-gothic fonts-liberation2 xvfb xauth xdotool xclip x11-utils pulseaudio pulseaudio-utils)
# Wine's own fonts, which draw its title-bar buttons; and for scripts/with-wine,
# fontTools and the locale definitions, for a stand-in of Windows' gothic and a
# Japanese Windows.
WINDOWS_PACKAGES+=(fonts-wine python3-fonttools locales)

# The Debian mirror the system's apt sources name first, as
# "[signed-by=KEYRING] URI SUITE...", from deb822 or one-line sources.
system_debian_source() {
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
        awk -v RS= '/(^|\n)Types:[^\n]*deb/ && /URIs:/ {
                uri = suites = key = ""
                n = split($0, lines, "\n")
                for (i = 1; i <= n; i++) {
                    if (lines[i] ~ /^URIs:/) { split(lines[i], f, " "); uri = f[2] }
                    if (lines[i] ~ /^Suites:/) { suites = lines[i]; sub(/^Suites: */, "", suites) }
                    if (lines[i] ~ /^Signed-By:/) { key = lines[i]; sub(/^Signed-By: */, "", key) }
                }
                print (key ? "[signed-by=" key "] " : "") uri, suites
                exit
            }' /etc/apt/sources.list.d/debian.sources
    else
        sed -nE 's/^deb[[:space:]]+((\[[^]]*\][[:space:]]+)?[^[:space:]]+[[:space:]]+[^[:space:]]+).*/\1/p' /etc/apt/sources.list | head -n 1
    fi
}
