#!/usr/bin/env bash
# Takes docs/screenshots/handheld-dark.png and two-panes-dark.png: the handheld layout (240 by
# 320) and the two panes of a 1000 by 700 window in the dark palette
# a Plasma desktop with Breeze Dark gives a Qt 6 program on Debian 12 (Qt's own KDE theme reads
# the colour scheme from kdeglobals). The real program runs on its own X server (Xvfb, with
# openbox), in a scratch home with that kdeglobals, on the database of the program folder; the
# first picture shows the Content view of "run", the Lookup view and the Search view side by
# side; the second the two panes with "run" typed and chosen from the keyboard.
#
#   scripts/screenshot-dark.sh [DISPLAY-NUMBER]      (a free X display; default 97)
#
# Needs Xvfb, openbox, xdotool and ImageMagick (apt-get install xvfb openbox xdotool
# imagemagick), the build in $LEXICOVE_BUILD_DIR (default build/) and the database
# $LEXICOVE_DATABASE, else the program folder's wordnet.lcv (see scripts/dev.sh database).
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${LEXICOVE_BUILD_DIR:-$ROOT/build}
FOLDER=${LEXICOVE_HOME:-${XDG_DATA_HOME:-$HOME/.local/share}/Lexicove}
DATABASE=${LEXICOVE_DATABASE:-${FOLDER%/}/wordnet.lcv}
SCREEN=":${1:-97}"
OUT=$ROOT/docs/screenshots/handheld-dark.png
OUT_PANES=$ROOT/docs/screenshots/two-panes-dark.png

for tool in Xvfb openbox xdotool import convert; do
    command -v "$tool" >/dev/null || { echo "screenshot-dark.sh: $tool is not installed" >&2; exit 2; }
done
if [ ! -f "$DATABASE" ]; then
    echo "screenshot-dark.sh: no database at $DATABASE (build it with scripts/dev.sh database)" >&2
    exit 2
fi
cmake --build "$BUILD" --target lexicove >/dev/null

scratch=$(mktemp -d)
pids=()
cleanup() {
    # The program first (it saves its lists into the scratch home as it ends), then the server.
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null || true
        wait "${pids[i]}" 2>/dev/null || true
    done
    rm -rf "$scratch"
}
trap cleanup EXIT
mkdir -p "$scratch/config" "$scratch/home"
# Breeze Dark, as Plasma writes it into kdeglobals.
cat >"$scratch/config/kdeglobals" <<'EOF'
[General]
ColorScheme=BreezeDark

[Colors:Button]
BackgroundNormal=49,54,59
ForegroundNormal=239,240,241
ForegroundInactive=161,169,177
ForegroundLink=29,153,243
ForegroundVisited=155,89,182

[Colors:Selection]
BackgroundNormal=61,174,233
ForegroundNormal=239,240,241

[Colors:Tooltip]
BackgroundNormal=49,54,59
ForegroundNormal=239,240,241

[Colors:View]
BackgroundNormal=35,38,41
BackgroundAlternate=49,54,59
ForegroundNormal=239,240,241
ForegroundInactive=161,169,177
ForegroundLink=29,153,243
ForegroundVisited=155,89,182

[Colors:Window]
BackgroundNormal=49,54,59
ForegroundNormal=239,240,241
ForegroundInactive=161,169,177
EOF

if [ -e "/tmp/.X${SCREEN#:}-lock" ]; then
    echo "screenshot-dark.sh: display $SCREEN is in use; give another number" >&2
    exit 2
fi
Xvfb "$SCREEN" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
sleep 1
kill -0 "${pids[0]}" 2>/dev/null || { echo "screenshot-dark.sh: Xvfb did not start" >&2; exit 1; }
DISPLAY=$SCREEN openbox >/dev/null 2>&1 &
pids+=($!)
sleep 1
env -i PATH="$PATH" DISPLAY="$SCREEN" HOME="$scratch" XDG_CONFIG_HOME="$scratch/config" \
    XDG_CURRENT_DESKTOP=KDE KDE_SESSION_VERSION=5 LEXICOVE_HOME="$scratch/home" \
    LEXICOVE_DATABASE="$DATABASE" "$BUILD/lexicove" --lookup run >/dev/null 2>&1 &
pids+=($!)

window=""
for _ in $(seq 50); do
    window=$(DISPLAY=$SCREEN xdotool search --onlyvisible --name '^Lexicove$' 2>/dev/null | head -1) || true
    [ -n "$window" ] && break
    sleep 0.2
done
[ -n "$window" ] || { echo "screenshot-dark.sh: the window did not come up" >&2; exit 1; }

x() { DISPLAY=$SCREEN xdotool "$@"; }
shoot() { sleep 0.5; DISPLAY=$SCREEN import -window "$window" "$scratch/$1.png"; }
x windowsize "$window" 240 320
x windowactivate --sync "$window" 2>/dev/null || true
sleep 0.5
shoot content
# The toolbar at the bottom: Lookup View, then Search View with a Puzzle query typed.
x mousemove --window "$window" 137 305 click 1
shoot lookup
x mousemove --window "$window" 187 305 click 1
sleep 0.5
x type 'c?t'
shoot search
convert "$scratch/content.png" "$scratch/lookup.png" "$scratch/search.png" +append +repage "$OUT"
echo "$OUT"
# Wide: two panes; Ctrl+L puts the focus into the box, Enter shows the page on the right.
x windowsize "$window" 1000 700
sleep 0.5
x key ctrl+l
x type run
x key Return
shoot panes
cp "$scratch/panes.png" "$OUT_PANES"
echo "$OUT_PANES"
