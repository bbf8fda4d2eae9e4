#!/usr/bin/env bash
# Installs the Debian 12 packages Quenlark needs to build, run and test. Safe to run again.
set -euo pipefail
packages=(
    build-essential cmake ninja-build pkg-config ccache
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl1-mesa-dev libglib2.0-dev
    libpulse-dev libsndfile1-dev qtkeychain-qt6-dev libsecret-1-0 openssl
    dbus dbus-x11 pulseaudio pulseaudio-utils
    python3 python3-aiosmtpd sox xvfb xauth
    baresip-core baresip libasound2-plugins
    clang libclang-rt-14-dev
    # The validators of the installed launcher and software-centre files (tst_install).
    appstream desktop-file-utils
    # The Debian package: cpack runs dpkg-shlibdeps and finds the executables with file.
    file dpkg-dev
    # scripts/screenshots.sh: finding a window, and Return at a question.
    x11-utils xdotool
    # The accessibility check of every window (scripts/accessibility-check.py).
    at-spi2-core python3-pyatspi
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
