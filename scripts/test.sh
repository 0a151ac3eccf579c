#!/usr/bin/env bash
# Sets up what is missing, builds, and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."
# The real print test needs a print server with a PDF queue and a PDF renderer; it starts its own.
ZORBEL_EXTRA_PACKAGES="cups printer-driver-cups-pdf poppler-utils" scripts/setup.sh
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
