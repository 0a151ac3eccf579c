#!/usr/bin/env bash
# Installs the Debian packages the build needs (only those missing) and builds Zorbel into build/.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(g++ cmake make qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-svg-dev libgl-dev libcups2-dev)
# Callers add what only they need (the tests: a print server and a PDF renderer).
read -r -a extra <<< "${ZORBEL_EXTRA_PACKAGES:-}"
packages+=("${extra[@]}")
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

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZORBEL_WITH_TEMPLATES=ON >/dev/null
cmake --build build -j"$(nproc)"
