#!/usr/bin/env bash
# Installs what is missing, builds Velmora twice (plain, and with AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs every test in both builds; the plain build is then
# installed and packaged and the installed programs are checked (scripts/check-install.sh).
# Tests that use real map archives read them from the folder named by VELMORA_MAPS.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"

# A compiler cache, where one is installed, makes a second run on the same machine quick;
# paths are hashed relative to the checkout so that any clone of it shares the cache.
launcher=()
if command -v ccache > /dev/null; then
  export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
export VELMORA_CMAKE_LAUNCHER="${launcher[*]}"

run_suite() {
  local dir="$1"; shift
  cmake -S "$root" -B "$dir" -G Ninja "${launcher[@]}" "$@" > "$dir.configure.log" 2>&1 || { cat "$dir.configure.log"; exit 1; }
  cmake --build "$dir" -j2
  ctest --test-dir "$dir" --output-on-failure -j2
}

mkdir -p "$root/build-test"
run_suite "$root/build-test/plain" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_BUILD_BENCH=ON
"$root/scripts/check-install.sh" "$root/build-test/plain"
run_suite "$root/build-test/sanitize" -DCMAKE_BUILD_TYPE=Debug -DVELMORA_SANITIZE=ON -DVELMORA_BUILD_BENCH=OFF
# Fuzz the parsers of outside input for a bounded time (about four minutes).
"$root/scripts/fuzz.sh"
