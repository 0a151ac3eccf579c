#!/usr/bin/env bash
# Installs the Debian packages the build needs (only those missing) and builds Zorbel into build/.
#   --tests     also what only the tests need (clang and its libFuzzer for the fuzz targets)
#   --no-build  install only
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(g++ cmake make qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-svg-dev qt6-translations-l10n libgl-dev libcups2-dev)
# The fuzz targets need clang; the end-to-end tests drive a real window, under the window managers
# of real desktops and on Wayland too, and a private sound server; the desktop files are validated
# and packaged; the real print test starts its own print server with a PDF queue and renders the PDF.
test_packages=(clang libclang-rt-dev xvfb xdotool x11-utils imagemagick pulseaudio pulseaudio-utils appstream
  desktop-file-utils dpkg-dev cups printer-driver-cups-pdf poppler-utils
  openbox xfwm4 mutter weston qt6-wayland dbus-x11)
build=1
for arg in "$@"; do
  case "$arg" in
    --tests) packages+=("${test_packages[@]}") ;;
    --no-build) build=0 ;;
    *) echo "unknown option: $arg" >&2; exit 2 ;;
  esac
done
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

[ "$build" -eq 1 ] || exit 0
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZORBEL_WITH_TEMPLATES=ON >/dev/null
cmake --build build -j"$(nproc)"
