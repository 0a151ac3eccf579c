#!/usr/bin/env bash
# Sets up what is missing, builds, and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."
# The end-to-end tests drive a real window and a private sound server; the desktop files are validated.
scripts/setup.sh xvfb xdotool x11-utils imagemagick pulseaudio pulseaudio-utils appstream desktop-file-utils dpkg-dev
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
