#!/usr/bin/env bash
# Sets up a Debian machine for Kadrel, builds it, and then either starts the
# program or runs every test.
#
#   ./build.sh run     install what is missing, build, start Kadrel
#   ./build.sh test    install what is missing, build, run all tests
#                      (then the GUI-free tests again under AddressSanitizer
#                      and UndefinedBehaviorSanitizer)
#   ./build.sh bench   install what is missing, build, run the benchmarks
set -euo pipefail

cd "$(dirname "$0")"
ROOT=$(pwd)
BUILD="${KADREL_BUILD_DIR:-$ROOT/build}"
JOBS=$(nproc 2>/dev/null || echo 2)

PACKAGES=(cmake ninja-build g++ pkg-config ccache locales
          qt6-base-dev libgl-dev libgtest-dev libgmock-dev libbenchmark-dev
          poppler-utils)

install_missing() {
    local missing=()
    for p in "${PACKAGES[@]}"; do
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
*)
    echo "usage: $0 run | test | bench" >&2
    exit 2
    ;;
esac
