#!/usr/bin/env bash
# Lexicove's one entry point for setting up, building, testing and running.
#
#   scripts/dev.sh run [lexicove arguments]       set up, build, build the database, start Lexicove
#   scripts/dev.sh cli [lexicove-cli arguments]   the same, then the terminal dictionary
#   scripts/dev.sh test                           set up, build, build the database, run all tests
#   scripts/dev.sh sanitize                       tests built with AddressSanitizer + UBSan
#   scripts/dev.sh tsan                           the threaded tests under ThreadSanitizer
#   scripts/dev.sh fuzz [seconds]                 libFuzzer targets, briefly (default 20 s each)
#   scripts/dev.sh bench                          the benchmarks, on the real database
#   scripts/dev.sh database                       build, copy wordnet.lcv to the program folder
#   scripts/dev.sh package                        build, make the Debian package, check it
#
# Works on a fresh Debian 12 machine: it installs what it needs with apt-get and npm.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${LEXICOVE_BUILD_DIR:-$ROOT/build}
NPM_DIR=$ROOT/third_party/npm
# The npm packages the database is built from (pinned), each with a file that shows it is in:
# CMUdict's pronunciations, the irregular verbs and the irregular plurals. en-inflectors is
# not built from: the real-data check compares the built forms with it.
NPM_PACKAGES=(cmu-pronouncing-dictionary@3.0.0:cmu-pronouncing-dictionary/index.js
              english-verbs-irregular@3.4.0:english-verbs-irregular/resources/irregularVerbs.json
              irregular-plurals@4.2.0:irregular-plurals/irregular-plurals.json
              en-inflectors@1.0.12:en-inflectors/dist/index.js)
WORDNET_DIR=${LEXICOVE_WORDNET_DIR:-/usr/share/wordnet}
JOBS=$(nproc)

APT_PACKAGES=(cmake ninja-build g++ zlib1g-dev libdeflate-dev libgtest-dev libgmock-dev libbenchmark-dev
              ccache wordnet-base libstemmer-dev clang libclang-rt-14-dev
              qt6-base-dev qt6-qpa-plugins fonts-dejavu-core fonts-sil-doulos
              libespeak-ng-dev espeak-ng-data sox alsa-utils appstream
              nlohmann-json3-dev python3-jsonschema
              pkg-config libxcb1-dev libxcb-keysyms1-dev xvfb xdotool xclip dbus
              weston wl-clipboard qt6-wayland)

log() { printf '\033[1m==> %s\033[0m\n' "$*" >&2; }

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_packages() {  # install_packages [more Debian packages...]
    local missing=()
    for p in "${APT_PACKAGES[@]}" "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$p")
    done
    command -v npm >/dev/null || missing+=(npm)
    if [ ${#missing[@]} -gt 0 ]; then
        log "installing ${missing[*]}"
        as_root apt-get update -qq
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
    fi
    local wanted=()
    for entry in "${NPM_PACKAGES[@]}"; do
        [ -f "$NPM_DIR/node_modules/${entry#*:}" ] || wanted+=("${entry%%:*}")
    done
    if [ ${#wanted[@]} -gt 0 ]; then
        log "installing ${wanted[*]} into third_party/npm"
        mkdir -p "$NPM_DIR"
        # npm's cache and logs go to a folder of their own, not into the user's home.
        local cache
        cache=$(mktemp -d)
        npm install --prefix "$NPM_DIR" --cache "$cache" --no-audit --no-fund --silent \
            "${wanted[@]}"
        rm -rf "$cache"
    fi
}

configure() {  # configure DIR [cmake args...]
    local dir=$1
    shift
    if [ ! -f "$dir/build.ninja" ]; then
        cmake -S "$ROOT" -B "$dir" -G Ninja -DLEXICOVE_WERROR=ON "$@" >/dev/null
    fi
}

build() {
    configure "$BUILD" -DLEXICOVE_WORDNET_DIR="$WORDNET_DIR"
    log "building in $BUILD"
    cmake --build "$BUILD" -j "$JOBS"
}

# The program folder, where the programs look for wordnet.lcv first.
program_folder() {
    if [ -n "${LEXICOVE_HOME:-}" ]; then
        echo "${LEXICOVE_HOME%/}"
    else
        echo "${XDG_DATA_HOME:-$HOME/.local/share}/Lexicove"
    fi
}

# The build makes wordnet.lcv (packaging/CMakeLists.txt, when its inputs changed); the
# program folder gets a copy of it.
database() {
    local folder built out
    folder=$(program_folder)
    built=$BUILD/data/wordnet.lcv
    out=$folder/wordnet.lcv
    if [ ! -f "$built" ]; then
        echo "dev.sh: $built is missing: configure $BUILD with -DLEXICOVE_BUILD_DATABASE=ON" >&2
        exit 1
    fi
    mkdir -p "$folder"
    if [ -f "$out" ] && ! [ "$built" -nt "$out" ]; then
        return 0
    fi
    log "copying the built dictionary to $out"
    cp -p "$built" "$out.new"
    mv -f "$out.new" "$out"
}

# Makes the Debian package from the build (CPack, packaging/DebianPackage.cmake), runs lintian
# over it (no error or warning may remain), has apt check that its dependencies can be met
# without installing anything, then unpacks it into a scratch root and runs the programs from
# there with a clean environment: they must find the packaged dictionary on their own.
package() {
    log "making the Debian package"
    rm -f "$BUILD"/lexicove_*.deb
    (cd "$BUILD" && cpack -G DEB >/dev/null)
    local deb
    deb=$(echo "$BUILD"/lexicove_*.deb)
    [ -f "$deb" ] || { echo "dev.sh: cpack made no package in $BUILD" >&2; exit 1; }
    # One scratch folder for the unpacked package and for lintian, which leaves its ELF cache
    # in its TMPDIR.
    local work
    work=$(mktemp -d)
    # shellcheck disable=SC2064  # the folder is known now
    trap "rm -rf '$work'" EXIT
    mkdir "$work/tmp" "$work/root"
    log "lintian $(basename "$deb")"
    TMPDIR=$work/tmp lintian --fail-on error,warning --display-info "$deb"
    apt-get install --simulate -qq "$deb" >/dev/null
    local root=$work/root
    dpkg-deb -x "$deb" "$root"
    local clean=(env -i PATH=/usr/bin:/bin HOME="$work/home" TMPDIR="$work/tmp")
    local page
    page=$("${clean[@]}" "$root/usr/bin/lexicove-cli" define dictionary)
    grep -q "reference book" <<<"$page" || {
        echo "dev.sh: the packaged lexicove-cli gave no page of dictionary: $page" >&2
        exit 1
    }
    # A meaning search opens the stemmer library at run time: the package's dependencies must
    # bring it.
    "${clean[@]}" "$root/usr/bin/lexicove-cli" search --meaning "fear of spiders" |
        grep -qx arachnophobia || {
        echo "dev.sh: the packaged lexicove-cli found no arachnophobia for fear of spiders" >&2
        exit 1
    }
    "${clean[@]}" "$root/usr/bin/lexicove" --version >/dev/null
    "${clean[@]}" "$root/usr/bin/lexicove-mkdb" --version >/dev/null
    rm -rf "$work"
    trap - EXIT
    log "$deb: lintian clean, dependencies met, the unpacked programs run"
}

cmd=${1:-run}
shift || true
case "$cmd" in
run)
    install_packages
    build
    database
    if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
        log "no display: showing the terminal dictionary (scripts/dev.sh cli ...) instead"
        exec "$BUILD/lexicove-cli" define dictionary
    fi
    exec "$BUILD/lexicove" "$@"
    ;;
cli)
    install_packages
    build
    database
    if [ $# -eq 0 ]; then set -- define dictionary; fi
    exec "$BUILD/lexicove-cli" "$@"
    ;;
test)
    install_packages
    build
    database
    log "running the tests"
    ctest --test-dir "$BUILD" --output-on-failure -j "$JOBS"
    ;;
sanitize)
    install_packages
    configure "$ROOT/build-asan" -DLEXICOVE_SANITIZE=address,undefined -DLEXICOVE_BUILD_BENCH=OFF \
        -DLEXICOVE_BUILD_DATABASE=OFF
    cmake --build "$ROOT/build-asan" -j "$JOBS"
    log "running the tests under AddressSanitizer and UndefinedBehaviorSanitizer"
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
        LSAN_OPTIONS=suppressions=$ROOT/tests/sanitizer/lsan-suppressions.txt:print_suppressions=0 \
        ctest --test-dir "$ROOT/build-asan" --output-on-failure -j "$JOBS" -L unit
    ;;
tsan)
    install_packages
    configure "$ROOT/build-tsan" -DLEXICOVE_SANITIZE=thread -DLEXICOVE_BUILD_BENCH=OFF \
        -DLEXICOVE_BUILD_DATABASE=OFF
    threaded=(lexicove_search_tests lexicove_lists_tests lexicove_render_tests)
    cmake --build "$ROOT/build-tsan" -j "$JOBS" --target "${threaded[@]}"
    log "running the threaded tests under ThreadSanitizer"
    for t in "${threaded[@]}"; do
        TSAN_OPTIONS=halt_on_error=1 "$ROOT/build-tsan/tests/$t" --gtest_brief=1
    done
    ;;
fuzz)
    install_packages
    seconds=${1:-20}
    configure "$ROOT/build-fuzz" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
        -DLEXICOVE_BUILD_FUZZ=ON -DLEXICOVE_BUILD_BENCH=OFF -DLEXICOVE_WERROR=OFF \
        -DLEXICOVE_BUILD_DATABASE=OFF \
        -DLEXICOVE_SANITIZE=address,undefined
    cmake --build "$ROOT/build-fuzz" -j "$JOBS" --target fuzz_targets
    for target in "$ROOT"/build-fuzz/fuzz/*_fuzz; do
        [ -x "$target" ] || continue
        log "fuzzing $(basename "$target") for $seconds s"
        name=$(basename "$target")
        corpus=$ROOT/build-fuzz/corpus/$name
        mkdir -p "$corpus"
        seeds=()
        [ -d "$ROOT/fuzz/seeds/$name" ] && seeds=("$ROOT/fuzz/seeds/$name")
        "$target" -max_total_time="$seconds" -timeout=1 -max_len=8192 "$corpus" "${seeds[@]}"
    done
    ;;
bench)
    # The peers measured against: WordNet's own wn, and hyperfine to time whole processes.
    install_packages wordnet hyperfine xvfb xdotool
    build
    database
    for b in "$BUILD"/bench/*_bench; do
        log "$(basename "$b")"
        "$b" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
    done
    log "peers.sh"
    bash "$ROOT/bench/peers.sh"
    log "startup.sh"
    bash "$ROOT/bench/startup.sh"
    log "desktop_memory.sh"
    bash "$ROOT/bench/desktop_memory.sh"
    ;;
database)
    install_packages
    build
    database
    ;;
package)
    # lintian checks the package; CPack asks dpkg-shlibdeps (dpkg-dev) and file for the
    # dependencies. They are needed for this command only.
    install_packages lintian dpkg-dev file
    build
    package
    ;;
*)
    echo "usage: scripts/dev.sh run|cli|test|sanitize|tsan|fuzz|bench|database|package" >&2
    exit 2
    ;;
esac
