#!/usr/bin/env bash
# How much `velmora-cli convert` on a real 128 x 128 map costs next to the archive
# library's own extract + store of the same scenario entry (bench_mpq_roundtrip).
# Both are whole program runs, timed over RUNS runs each; prints the ratio.
#
# Usage: bench/cli_ratio.sh BUILD_DIR [MAP] [RUNS]
#   MAP defaults to $VELMORA_MAPS/MicroTest.scm, RUNS to 20.
set -euo pipefail
build="${1:?usage: cli_ratio.sh BUILD_DIR [MAP] [RUNS]}"
map="${2:-${VELMORA_MAPS:?set VELMORA_MAPS or pass MAP}/MicroTest.scm}"
runs="${3:-20}"
cli="$build/bin/velmora-cli"
base="$build/bin/bench_mpq_roundtrip"
[[ -x "$cli" && -x "$base" ]] || { echo "build velmora-cli and bench_mpq_roundtrip first" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# A 128 x 128 picture, 24-bit BMP, with a few colour bands.
{
  printf 'BM\x36\xC0\x00\x00\x00\x00\x00\x00\x36\x00\x00\x00'
  printf '\x28\x00\x00\x00\x80\x00\x00\x00\x80\x00\x00\x00\x01\x00\x18\x00'
  printf '\x00\x00\x00\x00\x00\xC0\x00\x00\x13\x0B\x00\x00\x13\x0B\x00\x00'
  printf '\x00\x00\x00\x00\x00\x00\x00\x00'
  for band in 00 40 80 C0; do
    head -c $((128 * 32 * 3)) /dev/zero | tr '\0' "\\x$band"
  done
} > "$work/picture.bmp"
printf '#000000=1\n#404040=2\n#808080=3\n#C0C0C0=4\n' > "$work/colours.txt"

"$cli" convert "$map" "$work/picture.bmp" --colors "$work/colours.txt" -o "$work/out.scm" 2>/dev/null \
  || { echo "velmora-cli convert failed" >&2; exit 1; }
"$base" "$map" "$work" || { echo "bench_mpq_roundtrip failed" >&2; exit 1; }

time_runs() {
  local start end
  start=$(date +%s%N)
  for ((i = 0; i < runs; i++)); do "$@" >/dev/null 2>&1; done
  end=$(date +%s%N)
  echo $(((end - start) / runs / 1000))
}

cli_us=$(time_runs "$cli" convert "$map" "$work/picture.bmp" --colors "$work/colours.txt" -o "$work/out.scm")
base_us=$(time_runs "$base" "$map" "$work")
echo "velmora-cli convert:        ${cli_us} us per run"
echo "extract + store (library):  ${base_us} us per run"
awk -v c="$cli_us" -v b="$base_us" 'BEGIN { printf "ratio: %.2f\n", c / b }'
