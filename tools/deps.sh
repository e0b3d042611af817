#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Tavlo need, only
# those that are missing. Runs as root, or through sudo when it is there.
set -euo pipefail

packages=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev libgumbo-dev
    fonts-liberation2
    xvfb xdotool x11-utils xclip xdg-utils
    # a Wayland desktop, for the test that Tavlo runs on its X server
    weston qt6-wayland
    # the Debian package and the tools that judge it
    dpkg-dev file lintian appstream desktop-file-utils
    chromium
)
case "${1:-}" in
    bench) packages+=(libbenchmark-dev hyperfine) ;;
    fuzz) packages+=(clang libclang-rt-14-dev) ;;
    sanitize) packages+=(libclang-rt-14-dev) ;;
    screenshots) packages+=(imagemagick) ;;
    artwork) packages+=(qt6-svg-dev imagemagick) ;;
esac

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
