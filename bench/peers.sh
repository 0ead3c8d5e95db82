#!/usr/bin/env bash
# The terminal tool against its peers, as whole processes in the same run, with hyperfine:
#   lexicove-cli define run                   against  wn run -over (WordNet's own tool);
#   lexicove-cli search --wildcard 'c?t'      against  grep over the dictionary's word list;
#   lexicove-cli search --wildcard '*ness'    against  grep over the same list (a search
#                                                      that walks the whole trie).
# Budgets: define under half of wn; each search faster than grep.
#
#   bench/peers.sh
#
# Uses the build in $LEXICOVE_BUILD_DIR (default build/) and the database $LEXICOVE_DATABASE,
# else the program folder's wordnet.lcv. The word list is dumped with "lexicove-cli list",
# one word a line. The searches take --limit 999, the most the tool shows, and grep reads the
# pattern as the matcher does with its default options (a space may stand between any two
# characters the pattern names).
set -euo pipefail
export LC_ALL=C

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${LEXICOVE_BUILD_DIR:-$ROOT/build}
FOLDER=${LEXICOVE_HOME:-${XDG_DATA_HOME:-$HOME/.local/share}/Lexicove}
DATABASE=${LEXICOVE_DATABASE:-${FOLDER%/}/wordnet.lcv}
CLI="$BUILD/lexicove-cli --database $DATABASE"

for tool in hyperfine wn; do
    if ! command -v "$tool" >/dev/null; then
        echo "peers.sh: $tool is not installed (scripts/dev.sh bench installs it)" >&2
        exit 2
    fi
done
if [ ! -f "$DATABASE" ]; then
    echo "peers.sh: no database at $DATABASE (build it with scripts/dev.sh database)" >&2
    exit 2
fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
WORDS=$scratch/words.txt
$CLI list -n 1000000 >"$WORDS"
echo "word list: $(wc -l <"$WORDS") words in $WORDS"

compare() {  # compare NAME OURS PEER
    # -i: wn exits with the number of senses it found.
    hyperfine --shell=none -i --warmup 5 --min-runs 50 --style basic --export-json "$scratch/$1.json" \
        -n "lexicove-cli $1" "$2" -n "peer" "$3"
    python3 - "$scratch/$1.json" "$1" <<'PY'
import json, sys
r = json.load(open(sys.argv[1]))["results"]
ours, peer = (x["median"] * 1000 for x in r)
print(f"{sys.argv[2]}: median {ours:.2f} ms against {peer:.2f} ms, ratio {ours / peer:.2f}")
PY
}

compare "define run" "$CLI define run" "wn run -over"
compare "search c?t" "$CLI search --wildcard 'c?t' --limit 999" "grep -E -x 'c *[^ ] *t' $WORDS"
compare "search *ness" "$CLI search --wildcard '*ness' --limit 999" \
    "grep -E -x '.*n *e *s *s' $WORDS"
