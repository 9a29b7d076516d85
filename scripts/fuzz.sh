#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer) and runs each for a bounded
# time from its committed seed corpus. New inputs go to a scratch folder; a crash leaves
# its input as build-test/fuzz/crash-<target>-* and fails the script (turn it into a
# regression test). VELMORA_FUZZ_SECONDS sets the time per target (default 38).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${VELMORA_FUZZ_SECONDS:-38}"
dir="$root/build-test/fuzz"
targets=(scenario colorfile settings protocol picture casc)

mkdir -p "$dir"
cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++-14 -DVELMORA_FUZZ=ON -DVELMORA_BUILD_TESTS=OFF \
  -DVELMORA_BUILD_BENCH=OFF ${VELMORA_CMAKE_LAUNCHER:-} > "$dir/configure.log" 2>&1 || { cat "$dir/configure.log"; exit 1; }
cmake --build "$dir" -j2 --target "${targets[@]/#/fuzz_}"

export QT_QPA_PLATFORM=offscreen
# Qt keeps some allocations for the life of the process; leaks are the tests' business.
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1"
for t in "${targets[@]}"; do
  scratch="$(mktemp -d)"
  echo "fuzzing $t for ${seconds}s"
  if ! "$dir/bin/fuzz_$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
       -print_final_stats=1 -artifact_prefix="$dir/crash-$t-" "$scratch" "$root/fuzz/corpus/$t" \
       > "$dir/$t.log" 2>&1; then
    tail -40 "$dir/$t.log"
    rm -rf "$scratch"
    exit 1
  fi
  grep -E "stat::number_of_executed_units|stat::new_units_added" "$dir/$t.log" || true
  rm -rf "$scratch"
done
