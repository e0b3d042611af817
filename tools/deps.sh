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
    # the browsers whose clicks the export and coords tests compare
    chromium firefox-esr
)
# puppeteer-core, which drives Firefox, comes from npm.
command -v npm >/dev/null || packages+=(nodejs npm)
case "${1:-}" in
    bench) packages+=(libbenchmark-dev hyperfine dbus-daemon) ;;
    fuzz) packages+=(clang libclang-rt-14-dev) ;;
    sanitize) packages+=(libclang-rt-14-dev) ;;
    screenshots) packages+=(imagemagick) ;;
    artwork) packages+=(qt6-svg-dev imagemagick) ;;
esac
# Without it the Firefox test is skipped, which is no reason to stop the build.
firefox_modules() {
    local dir
    dir="$(dirname "$0")/../tests/firefox"
    [ -d "$dir/node_modules/puppeteer-core" ] && return 0
    npm ci --prefix "$dir" --no-audit --no-fund --loglevel=error ||
        echo "puppeteer-core could not be installed: the Firefox test will be skipped"
}

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
    firefox_modules
    exit 0
fi

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
firefox_modules
