#!/usr/bin/env bash
# The bash completion of lexicove-cli and lexicove: what a Tab offers after each word.
#
#   completion_test.sh COMPLETION_FILE
set -uo pipefail
# shellcheck source=/dev/null
source "$1"
failures=0

# complete FUNCTION WORD... : the words offered for the last one (an empty word: a new one).
complete_line() {
    local function=$1
    shift
    COMP_WORDS=("$@")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    "$function"
    printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' ' | sed 's/ $//'
}

expect() {
    local want=$1
    shift
    local got
    got=$(complete_line "$@")
    if [ "$got" != "$want" ]; then
        echo "FAIL: ${*:2}: got \"$got\", want \"$want\"" >&2
        failures=$((failures + 1))
    fi
}

expect "--database --help --version define export keys list random search suggest" _lexicove_cli lexicove-cli ""
expect "define" _lexicove_cli lexicove-cli de
expect "define" _lexicove_cli lexicove-cli --database x.lcv de
expect "--help --html --json --links" _lexicove_cli lexicove-cli define --
expect "--json" _lexicove_cli lexicove-cli keys --j
expect "--help --json" _lexicove_cli lexicove-cli suggest --
expect "favorites" _lexicove_cli lexicove-cli export fa
expect "anki csv" _lexicove_cli lexicove-cli export study --format ""
expect "--format" _lexicove_cli lexicove-cli export study --f
expect "--keep-punctuation --keep-spaces" _lexicove_cli lexicove-cli search --ke
expect "" _lexicove_cli lexicove-cli search --puzzle ""
expect "--wildcard --wordlist" _lexicove_cli lexicove-cli search --w
expect "--wildcard" _lexicove_cli lexicove-cli search --meaning "fear of spiders" --w
expect "" _lexicove_cli lexicove-cli search --meaning "fear of spiders" --wildcard ""
expect "" _lexicove_cli lexicove-cli define ru
expect "--lookup --lookup-selection" _lexicove lexicove --lo
expect "--lookup-selection" _lexicove lexicove --lookup-

# File names after the options that take a file.
dir=$(mktemp -d)
touch "$dir/words.dwg" "$dir/wordnet.lcv"
expect "$dir/words.dwg" _lexicove_cli lexicove-cli random --wordlist "$dir/words"
expect "$dir/wordnet.lcv" _lexicove lexicove --database "$dir/wordn"
rm -rf "$dir"

exit $((failures > 0))
