#!/usr/bin/env bash
# Installs the build into a temporary prefix, moves the prefix elsewhere, and runs the
# installed programs from there with a clean environment: no LEXICOVE_* variables, an empty
# home, no runtime folder, no session bus. They must find the installed dictionary and the
# speech engine library relative to their own location.
#
#   install_test.sh BUILD_DIR APP_ID
set -euo pipefail

build=$1
app_id=$2
work=$(mktemp -d)
window=
cleanup() {
    if [ -n "$window" ]; then kill "$window" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cmake --install "$build" --prefix "$work/staged" >/dev/null
mv "$work/staged" "$work/moved"
prefix=$work/moved
mkdir -p "$work/home" "$work/tmp"

for file in bin/lexicove bin/lexicove-cli bin/lexicove-mkdb lib/lexicove/liblexicove-espeak.so \
    share/lexicove/wordnet.lcv share/lexicove/cli-json.schema.json \
    share/applications/lexicove.desktop \
    "share/metainfo/$app_id.metainfo.xml" share/icons/hicolor/48x48/apps/lexicove.png \
    share/icons/hicolor/scalable/apps/lexicove.svg share/man/man1/lexicove.1.gz \
    share/man/man1/lexicove-cli.1.gz share/man/man1/lexicove-mkdb.1.gz share/doc/lexicove/copyright \
    share/bash-completion/completions/lexicove-cli share/bash-completion/completions/lexicove; do
    [ -f "$prefix/$file" ] || fail "$file is not installed"
done
cmp -s "$build/data/wordnet.lcv" "$prefix/share/lexicove/wordnet.lcv" ||
    fail "the installed wordnet.lcv is not the one built"

# Run as "${clean[@]}" PROGRAM ...: env then becomes the program, so $! is the program's id.
clean=(env -i PATH=/usr/bin:/bin HOME="$work/home" TMPDIR="$work/tmp")

# The terminal dictionary, on the installed database.
page=$("${clean[@]}" "$prefix/bin/lexicove-cli" define dictionary) || fail "lexicove-cli define failed"
grep -q "reference book" <<<"$page" || fail "the page of dictionary lacks its gloss: $page"
status=0
"${clean[@]}" "$prefix/bin/lexicove-cli" define qqqzzx >/dev/null 2>&1 || status=$?
[ "$status" -eq 1 ] || fail "a word not in the dictionary gave status $status"

# The desktop program, offscreen: it starts, takes a lookup from a second start, and ends the
# normal way on SIGTERM with Recents saved into the program folder under the empty home.
# Each run registers the installed speech engine; the second runs after the prefix moved.
socket=$work/tmp/BrennovaleQuickLookup-$(id -u)
config=$work/home/.config/Brennovale/Lexicove.conf
run_window() {
    local word=$1
    "${clean[@]}" QT_QPA_PLATFORM=offscreen "$prefix/bin/lexicove" >"$work/window.log" 2>&1 &
    window=$!
    for _ in $(seq 200); do
        [ -S "$socket" ] && break
        kill -0 "$window" 2>/dev/null || fail "lexicove ended at start: $(cat "$work/window.log")"
        sleep 0.1
    done
    [ -S "$socket" ] || fail "lexicove did not start listening"
    # The dictionary it reads is mapped: the installed one, not a copy found elsewhere. The
    # program listens before it opens the dictionary, so the mapping may come a little later.
    for _ in $(seq 100); do
        grep -qF "$prefix/share/lexicove/wordnet.lcv" "/proc/$window/maps" && break
        sleep 0.1
    done
    grep -qF "$prefix/share/lexicove/wordnet.lcv" "/proc/$window/maps" ||
        fail "lexicove does not read $prefix/share/lexicove/wordnet.lcv"
    "${clean[@]}" QT_QPA_PLATFORM=offscreen "$prefix/bin/lexicove" --lookup "$word" ||
        fail "the running lexicove did not take the lookup"
    kill -TERM "$window"
    status=0
    wait "$window" || status=$?
    window=
    [ "$status" -eq 0 ] || fail "lexicove ended with status $status: $(cat "$work/window.log")"
    head -n 1 "$work/home/.local/share/Lexicove/History.txt" | grep -qx "$word"$'\r' ||
        fail "the lookup of $word is not in Recents"
    grep -qF "$prefix/lib/lexicove/liblexicove-espeak.so" "$config" ||
        fail "the speech engine is not registered from $prefix/lib/lexicove: $(cat "$config")"
}
run_window dictionary

# A package upgrade moves the library: the stale registration is replaced.
mv "$prefix" "$work/upgraded"
prefix=$work/upgraded
run_window thesaurus
grep -qF "$work/moved/" "$config" && fail "the registration still names the old prefix"
echo "installed, moved and run from $prefix"
