# Sourced by the start and test scripts: installs the Debian packages that are missing.
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
# What cpack -G DEB needs besides: dpkg-shlibdeps finds the libraries to depend on, in the files that file picks out.
DEB_PACKAGES=(dpkg-dev file)
# What the Windows build needs (scripts/windows): the MinGW-w64 cross compiler,
# apt-get source and Qt's own build tools for Qt, icotool for the program's
# icon, NSIS for the installer, and Wine on private X and sound servers to
# test it, with Debian's fonts for the Japanese captions.
WINDOWS_PACKAGES=(cmake ninja-build g++-mingw-w64-x86-64-posix dpkg-dev qt6-base-dev qt6-base-dev-tools icoutils nsis
    wine wine64 libwine fonts-ipafont-gothic fonts-liberation2 xvfb xauth xdotool xclip x11-utils pulseaudio pulseaudio-utils)
