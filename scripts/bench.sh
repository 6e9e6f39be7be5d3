#!/usr/bin/env bash
# Builds the program optimised and measures it: `scripts/bench.sh` prints the
# benchmark table (about three minutes); `scripts/bench.sh --soak [minutes]`
# runs the soak program instead (ten minutes unless told); `scripts/bench.sh
# --outage [seconds]` has it take both instruments away for a while instead
# (five minutes unless told); `scripts/bench.sh --archive` the test archive's
# benchmark (365 000 records; filling them takes some minutes); `scripts/bench.sh
# --lanes [seconds]` a lane of a centre's archive while its PostgreSQL server is
# stopped for a while (60 s unless told).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh

export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/quaveron-ccache}"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target quaveron quaveron-sim quaveron-bench quaveron-soak quaveron-archive-bench \
  quaveron-lane-bench

# The windows are drawn offscreen unless a display is there.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  export QT_QPA_PLATFORM=offscreen
fi

if [ "${1:-}" = "--archive" ]; then
  exec build/bench/quaveron-archive-bench "${@:2}"
fi
if [ "${1:-}" = "--lanes" ]; then
  exec build/bench/quaveron-lane-bench --outage "${2:-60}"
fi
if [ "${1:-}" = "--outage" ]; then
  exec build/bench/quaveron-soak --outage "${2:-300}"
fi
if [ "${1:-}" = "--soak" ]; then
  exec build/bench/quaveron-soak --minutes "${2:-10}"
fi
exec build/bench/quaveron-bench "$@"
