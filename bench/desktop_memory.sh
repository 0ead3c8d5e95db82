#!/usr/bin/env bash
# Memory of the desktop program after a number of lookups, in the two panes of its first
# window (1000 by 700 on the 1280 by 1024 screen used here): the program runs on an X server of
# its own (Xvfb), and xdotool types random words into the "Look up:" box, each followed by
# Enter, as a user does; each page shows on the right. Reported: the resident set (VmRSS)
# after the last page and its peak (VmHWM), in MiB. Budget: under 60 MiB after 100 lookups.
#
#   bench/desktop_memory.sh [LOOKUPS]        (default 100)
#
# Uses the build in $LEXICOVE_BUILD_DIR (default build/) and the database $LEXICOVE_DATABASE,
# else the program folder's wordnet.lcv. The program runs with a scratch program folder,
# settings file and runtime folder, so a running Lexicove is not disturbed.
set -euo pipefail
export LC_ALL=C

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${LEXICOVE_BUILD_DIR:-$ROOT/build}
LOOKUPS=${1:-100}
BUDGET_MIB=60
FOLDER=${LEXICOVE_HOME:-${XDG_DATA_HOME:-$HOME/.local/share}/Lexicove}
DATABASE=${LEXICOVE_DATABASE:-${FOLDER%/}/wordnet.lcv}

for tool in Xvfb xdotool; do
    if ! command -v "$tool" >/dev/null; then
        echo "desktop_memory.sh: $tool is not installed (apt-get install xvfb xdotool)" >&2
        exit 2
    fi
done
if [ ! -f "$DATABASE" ]; then
    echo "desktop_memory.sh: no database at $DATABASE (build it with scripts/dev.sh database)" >&2
    exit 2
fi
if [ ! -x "$BUILD/lexicove" ] || [ ! -x "$BUILD/lexicove-cli" ]; then
    echo "desktop_memory.sh: no programs in $BUILD (build the targets lexicove, lexicove-cli)" >&2
    exit 2
fi

scratch=$(mktemp -d)
xvfb=""
program=""
cleanup() {
    [ -n "$program" ] && kill "$program" 2>/dev/null || true
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT
mkdir -m 700 "$scratch/runtime"

# The X server picks a free display and tells its number.
exec 3<> "$scratch/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do
    [ -s "$scratch/display" ] && break
    sleep 0.05
done
export DISPLAY=":$(head -n1 "$scratch/display")"

# Random words of the dictionary without spaces or quotes, so each is typed as it is.
"$BUILD/lexicove-cli" --database "$DATABASE" random -n $((LOOKUPS * 3)) |
    grep -E "^[a-z-]+$" | head -n "$LOOKUPS" >"$scratch/words"

env LEXICOVE_HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/config" \
    XDG_RUNTIME_DIR="$scratch/runtime" LEXICOVE_DATABASE="$DATABASE" \
    "$BUILD/lexicove" >/dev/null 2>&1 &
program=$!
window=$(xdotool search --sync --onlyvisible --pid "$program" --name '^Lexicove$' | head -n1)
# No window manager runs: the keyboard focus is given to the window directly, and the keys
# go through the XTEST extension as real key presses.
xdotool windowfocus --sync "$window"
sleep 0.5

count=0
while read -r word; do
    xdotool key ctrl+l
    xdotool type --delay 1 "$word"
    xdotool key Return
    count=$((count + 1))
    sleep 0.05
done <"$scratch/words"
sleep 0.5

rss=$(awk '/^VmRSS:/ { print $2 }' "/proc/$program/status")
peak=$(awk '/^VmHWM:/ { print $2 }' "/proc/$program/status")

# Exit the normal way: Recents, written at the end, shows how many lookups the program made.
xdotool key ctrl+q
for _ in $(seq 100); do
    kill -0 "$program" 2>/dev/null || break
    sleep 0.05
done
program=""
recorded=$(grep -c . "$scratch/home/History.txt" 2>/dev/null || true)

awk -v n="$count" -v rec="${recorded:-0}" -v rss="$rss" -v peak="$peak" -v budget="$BUDGET_MIB" '
    BEGIN {
        printf "after %d lookups (Recents, which keeps 65, holds %d): resident %.1f MiB (peak %.1f MiB)\n",
               n, rec, rss / 1024, peak / 1024
        printf "budget %d MiB: %s\n", budget, rss / 1024 < budget ? "within" : "OVER"
    }'
