#!/usr/bin/env bash
# Sets up a Debian machine for Kadrel, builds it, and then either starts the
# program or runs every test.
#
#   ./build.sh run     install what is missing, build, start Kadrel
#   ./build.sh test    install what is missing, build, run all tests
#                      (then the GUI-free tests again under AddressSanitizer
#                      and UndefinedBehaviorSanitizer)
#   ./build.sh bench   install what is missing, build, run the benchmarks
#   ./build.sh fuzz [minutes]
#                      install clang if missing, build the fuzz targets with
#                      libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer
#                      (build dir build-fuzz) and run each target for the given
#                      minutes (default 10), the three side by side, with its
#                      dictionary, the corpus of fuzz/corpus and fresh seeds;
#                      findings go to build-fuzz/findings/<target>/
set -euo pipefail

cd "$(dirname "$0")"
ROOT=$(pwd)
BUILD="${KADREL_BUILD_DIR:-$ROOT/build}"
JOBS=$(nproc 2>/dev/null || echo 2)

PACKAGES=(cmake ninja-build g++ pkg-config ccache locales
          qt6-base-dev libgl-dev libgtest-dev libgmock-dev libbenchmark-dev
          poppler-utils)

# Installs the named packages that are missing.
install_packages() {
    local missing=()
    for p in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$p")
        fi
    done
    if ((${#missing[@]})); then
        echo "Installing: ${missing[*]}"
        local sudo=()
        if [ "$(id -u)" -ne 0 ]; then sudo=(sudo); fi
        "${sudo[@]}" apt-get update -qq
        DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
    fi
}

install_missing() {
    install_packages "${PACKAGES[@]}"
    # A locale with a decimal comma, so the tests can prove that numbers are
    # read and written the same way under it.
    if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
        local sudo=()
        if [ "$(id -u)" -ne 0 ]; then sudo=(sudo); fi
        if [ -f /etc/locale.gen ]; then
            "${sudo[@]}" sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen || true
            grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | "${sudo[@]}" tee -a /etc/locale.gen >/dev/null
            "${sudo[@]}" locale-gen >/dev/null || true
        fi
    fi
}


FUZZ_TARGETS=(zsb_import project_open numbers_strings)

# Longest input of each target (bytes): the largest seed with room to grow,
# small enough that each run stays short.
fuzz_max_len() {
    case $1 in
    zsb_import) echo 12288 ;;
    project_open) echo 24576 ;;
    *) echo 1024 ;;
    esac
}

# Runs one target until its deadline; a finding is kept and the target
# starts again, until the time is up or it has stopped twenty times.
run_fuzz_target() {
    local t=$1 seconds=$2 dir=$3
    local out="$dir/findings/$t" work="$dir/corpus/$t" log="$dir/logs/$t.log"
    mkdir -p "$out" "$work" "$(dirname "$log")"
    : >"$log"
    local end=$((SECONDS + seconds)) stops=0
    while ((SECONDS < end && stops < 20)); do
        "$dir/fuzz/fuzz_$t" -max_total_time=$((end - SECONDS)) -dict="$ROOT/fuzz/$t.dict" \
            -max_len="$(fuzz_max_len "$t")" -timeout=10 -malloc_limit_mb=512 -rss_limit_mb=2048 \
            -print_final_stats=1 -artifact_prefix="$out/" \
            "$work" "$ROOT/fuzz/corpus/$t" "$dir/seeds/$t" >>"$log" 2>&1 || stops=$((stops + 1))
    done
    local runs
    runs=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$log" | awk '{s += $2} END {print s + 0}')
    echo "$t: $runs executions in $seconds s ($((runs / (seconds > 0 ? seconds : 1))) per second)," \
         "$stops stop(s), findings: $(ls "$out" | wc -l) (log $log)"
}

configure_and_build() {
    local dir=$1; shift
    cmake -S "$ROOT" -B "$dir" -G Ninja "$@" >/dev/null
    cmake --build "$dir" -j "$JOBS"
}

cmd=${1:-}
case "$cmd" in
run)
    install_missing
    configure_and_build "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKADREL_BENCH=OFF
    exec "$BUILD/app/kadrel"
    ;;
test)
    install_missing
    export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
    configure_and_build "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo
    (cd "$BUILD" && ctest -j "$JOBS" --output-on-failure --timeout 900)
    echo "== the GUI-free tests again under AddressSanitizer and UndefinedBehaviorSanitizer"
    configure_and_build "$BUILD-sanitize" -DCMAKE_BUILD_TYPE=Debug -DKADREL_GUI=OFF \
        -DKADREL_SANITIZE=ON -DKADREL_BENCH=OFF
    (cd "$BUILD-sanitize" && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
        ctest -j "$JOBS" --output-on-failure --timeout 900)
    ;;
bench)
    install_missing
    configure_and_build "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKADREL_BENCH=ON
    "$BUILD/bench/kadrel_bench" "${@:2}"
    if [ -x "$BUILD/bench/kadrel_bench_qt" ]; then
        QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}" "$BUILD/bench/kadrel_bench_qt" "${@:2}"
    fi
    ;;
fuzz)
    install_missing
    install_packages clang libclang-rt-dev
    minutes=${2:-10}
    FUZZ_BUILD="$BUILD-fuzz"
    configure_and_build "$FUZZ_BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
        -DKADREL_GUI=OFF -DKADREL_BENCH=OFF -DBUILD_TESTING=OFF -DKADREL_FUZZ=ON
    rm -rf "$FUZZ_BUILD/seeds"
    "$FUZZ_BUILD/fuzz/kadrel_fuzz_seeds" "$FUZZ_BUILD/seeds"
    echo "== fuzzing ${FUZZ_TARGETS[*]} for $minutes minute(s) each, side by side"
    for t in "${FUZZ_TARGETS[@]}"; do
        run_fuzz_target "$t" $((minutes * 60)) "$FUZZ_BUILD" &
    done
    wait
    echo "New inputs are in $FUZZ_BUILD/corpus/<target>; to keep those that add coverage:"
    echo "  $FUZZ_BUILD/fuzz/fuzz_<target> -merge=1 fuzz/corpus/<target> $FUZZ_BUILD/corpus/<target>"
    ;;
*)
    echo "usage: $0 run | test | bench | fuzz [minutes]" >&2
    exit 2
    ;;
esac
