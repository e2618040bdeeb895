#!/usr/bin/env bash
# Installs the Debian packages that a part of the build needs, only those that
# are missing, so ./run and ./test work on a fresh Debian machine and cost
# nothing on a prepared one. Usage: scripts/install-packages.sh GROUP...
set -euo pipefail

packages_of() {
    case "$1" in
    # dpkg-dev: dpkg-shlibdeps, which fills in the Debian package's dependencies.
    native) echo cmake ninja-build g++ googletest libgtest-dev libbenchmark-dev libc-bin dpkg-dev ;;
    # The window program: MinGW-w64 cross compiler, Wine to run it, the Japanese
    # locale and font for code page 932, a virtual display and the tools that
    # click, read and photograph it in the end-to-end tests.
    windows) echo cmake ninja-build googletest g++-mingw-w64-x86-64-posix wine64 locales fonts-ipafont-gothic \
        xvfb xauth xdotool x11-apps x11-utils imagemagick ;;
    # libFuzzer and the sanitizer runtimes come with Debian's clang 14.
    fuzz) echo cmake ninja-build clang clang-14 libclang-rt-14-dev ;;
    # The circuit simulator that checks the printed answers, driven from Python.
    spice) echo ngspice python3 ;;
    # Redrawing the application icon from its SVG (scripts/make-icon.sh); the
    # build uses the committed .ico and needs neither.
    icon) echo librsvg2-bin imagemagick ;;
    # Rendering the circuit drawing of the READMEs from its SVG
    # (scripts/make-schematic.sh); the build uses neither.
    schematic) echo librsvg2-bin fonts-dejavu-core ;;
    *) echo "unknown package group '$1'" >&2; exit 2 ;;
    esac
}

wanted=()
for group in "$@"; do
    for package in $(packages_of "$group"); do wanted+=("$package"); done
done

missing=()
for package in "${wanted[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing missing Debian packages: ${missing[*]}"
sudo=""
if [[ $(id -u) -ne 0 ]]; then
    command -v sudo >/dev/null || { echo "need root (or sudo) to install: ${missing[*]}" >&2; exit 1; }
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
