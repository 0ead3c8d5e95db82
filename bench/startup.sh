#!/usr/bin/env bash
# Start-up of the desktop program, offscreen: the time from the start of the process to its
# first painted window, the median of several starts, and the memory in use (maximum resident
# set). Budget: under 200 ms. The first window takes 90% of the offscreen screen (800 by 600)
# and so shows two panes; the layout measured is printed.
#
#   bench/startup.sh [RUNS]        (default 9 starts, after one start that is not counted)
#
# The program is asked for its first-paint time stamp with LEXICOVE_REPORT_STARTUP=1; it then
# ends the normal way (lists and values saved). Uses the build in $LEXICOVE_BUILD_DIR (default
# build/) and the database $LEXICOVE_DATABASE, else the program folder's wordnet.lcv. The
# starts run with a scratch program folder and settings file.
set -euo pipefail
export LC_ALL=C  # the decimal point of $EPOCHREALTIME and awk

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${LEXICOVE_BUILD_DIR:-$ROOT/build}
RUNS=${1:-9}
BUDGET_MS=200
FOLDER=${LEXICOVE_HOME:-${XDG_DATA_HOME:-$HOME/.local/share}/Lexicove}
DATABASE=${LEXICOVE_DATABASE:-${FOLDER%/}/wordnet.lcv}

if [ ! -f "$DATABASE" ]; then
    echo "startup.sh: no database at $DATABASE (build it with scripts/dev.sh database)" >&2
    exit 2
fi
if [ ! -x "$BUILD/lexicove" ]; then
    echo "startup.sh: no program at $BUILD/lexicove (build the target lexicove)" >&2
    exit 2
fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# One start: prints "MILLISECONDS KILOBYTES".
start_once() {
    local begin output painted
    begin=$EPOCHREALTIME
    output=$(env LEXICOVE_HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/config" \
                 LEXICOVE_DATABASE="$DATABASE" QT_QPA_PLATFORM=offscreen \
                 LEXICOVE_REPORT_STARTUP=1 \
                 /usr/bin/time -f '%M' -o "$scratch/rss" "$BUILD/lexicove" 2>>"$scratch/err")
    painted=$(sed -n 's/^lexicove: first paint at //p' <<<"$output")
    sed -n 's/^lexicove: first window //p' <<<"$output" >"$scratch/layout"
    if [ -z "$painted" ]; then
        echo "startup.sh: the program reported no first paint:" >&2
        cat "$scratch/err" >&2
        exit 1
    fi
    awk -v a="$begin" -v b="$painted" -v kb="$(cat "$scratch/rss")" \
        'BEGIN { printf "%.1f %d\n", (b - a) * 1000, kb }'
}

start_once >/dev/null  # the first start makes the program folder and its files
for _ in $(seq "$RUNS"); do
    start_once
done >"$scratch/runs"

echo "first window: $(cat "$scratch/layout")"
rss_median=$(sort -n -k2 "$scratch/runs" | awk '{ kb[NR] = $2 } END { print kb[int((NR + 1) / 2)] }')
sort -n "$scratch/runs" | awk -v budget="$BUDGET_MS" -v rss="$rss_median" '
    { ms[NR] = $1 }
    END {
        median = (NR % 2) ? ms[(NR + 1) / 2] : (ms[NR / 2] + ms[NR / 2 + 1]) / 2
        printf "start-up to first paint: median %.1f ms (min %.1f, max %.1f) over %d starts\n",
               median, ms[1], ms[NR], NR
        printf "memory in use: max RSS %.1f MiB (median of the starts)\n", rss / 1024
        printf "budget %d ms: %s\n", budget, median < budget ? "within" : "OVER"
    }'
