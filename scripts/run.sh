#!/usr/bin/env bash
# Sets up what is missing, builds, and starts Zorbel.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
exec build/src/zorbel
