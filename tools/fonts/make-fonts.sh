#!/usr/bin/env bash
# Rebuilds the bundled font subsets in assets/fonts from Debian's font packages
# (fonts-liberation2, fonts-lato, fonts-symbola; all free to redistribute and modify).
# Needs python3-fonttools. Run from anywhere; writes into the repository.
set -euo pipefail
out="$(cd "$(dirname "$0")/../.." && pwd)/assets/fonts"
mkdir -p "$out"
sub() { python3 -m fontTools.subset "$1" --output-file="$out/$2" --unicodes="$3" \
          --layout-features='*' --name-IDs='*' --name-legacy --notdef-outline --no-hinting; }
latin='U+0020-007E,U+00A0-00FF,U+2013-2014,U+2018-201E,U+2022,U+2026,U+20AC'
lib=/usr/share/fonts/truetype/liberation2
sub $lib/LiberationSans-Regular.ttf  LiberationSans-Regular.ttf "$latin"
sub $lib/LiberationSans-Bold.ttf     LiberationSans-Bold.ttf    "$latin"
sub $lib/LiberationSans-Italic.ttf   LiberationSans-Italic.ttf  "$latin"
sub $lib/LiberationSerif-Regular.ttf LiberationSerif-Regular.ttf "$latin"
sub $lib/LiberationSerif-Bold.ttf    LiberationSerif-Bold.ttf   "$latin"
sub /usr/share/fonts/truetype/lato/Lato-Black.ttf Lato-Black.ttf "$latin"
# The sixteen button symbols; U+FE0E keeps the text presentation of the two that have emoji forms.
sub /usr/share/fonts/truetype/ancient-scripts/Symbola_hint.ttf Symbola-Buttons.ttf \
    'U+1F589,U+2706,U+1F5C1,U+1F5AB,U+262F,U+264B,U+1F78F,U+2BB9,U+2316,U+2BB2,U+2B98,U+2B9A,U+21F3,U+1F5F6,U+1F5F7,U+1F5F9,U+FE0E'
ls -l "$out"
