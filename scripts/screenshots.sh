#!/usr/bin/env bash
# Renders the real main window offscreen into docs/screenshots/: the Lookup view, the Content
# view of "run" (pronunciation, notes, links) and a Word Links page, each in portrait (240 by
# 320 units) and landscape (320 by 240), at display scale 1 and 2.
#
#   scripts/screenshots.sh [WORD [LINKS-PAGE]]
#
# Uses the build in $LEXICOVE_BUILD_DIR (default build/) and the database $LEXICOVE_DATABASE,
# else the program folder's wordnet.lcv ($LEXICOVE_HOME, else ~/.local/share/Lexicove/; see
# scripts/dev.sh database). Each scale runs with a scratch program folder and settings file,
# so the pictures do not depend on the user's lists and a running Lexicove is not disturbed.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${LEXICOVE_BUILD_DIR:-$ROOT/build}
OUT=$ROOT/docs/screenshots
FOLDER=${LEXICOVE_HOME:-${XDG_DATA_HOME:-$HOME/.local/share}/Lexicove}
DATABASE=${LEXICOVE_DATABASE:-${FOLDER%/}/wordnet.lcv}

if [ ! -f "$DATABASE" ]; then
    echo "screenshots.sh: no database at $DATABASE (build it with scripts/dev.sh database)" >&2
    exit 2
fi
if [ ! -f "$BUILD/build.ninja" ]; then
    cmake -S "$ROOT" -B "$BUILD" -G Ninja -DLEXICOVE_WERROR=ON >/dev/null
fi
cmake --build "$BUILD" --target lexicove-screenshots >/dev/null

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$OUT"
for scale in 1 2; do
    env LEXICOVE_HOME="$scratch/home-$scale" XDG_CONFIG_HOME="$scratch/config-$scale" \
        LEXICOVE_DATABASE="$DATABASE" LEXICOVE_SCALE="$scale" QT_QPA_PLATFORM=offscreen \
        "$BUILD/lexicove-screenshots" "$OUT" "$@"
done
