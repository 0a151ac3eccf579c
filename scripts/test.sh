#!/usr/bin/env bash
# Sets up what is missing, builds, and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh --tests
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
