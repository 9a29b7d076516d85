#!/usr/bin/env bash
# Installs what is missing, builds Velmora and starts it.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DVELMORA_BUILD_TESTS=OFF -DVELMORA_BUILD_BENCH=OFF
cmake --build "$root/build" -j2 --target velmora velmora-cli
exec "$root/build/bin/velmora" "$@"
