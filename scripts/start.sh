#!/usr/bin/env bash
# Builds Quaveron and starts it in build/demo with simulated instruments
# (scripts/demo.sh, which the installed package also has as quaveron-demo).
set -euo pipefail

protocol=mctc
for arg in "$@"; do
  case "$arg" in
    --maker) protocol=maker ;;
    -h|--help) echo "usage: scripts/start.sh [--maker]"; exit 0 ;;
    *) echo "scripts/start.sh: unknown option $arg (usage: scripts/start.sh [--maker])" >&2; exit 2 ;;
  esac
done
cd "$(dirname "$0")/.."
root=$(pwd)

bash scripts/deps.sh

export CCACHE_DIR="${CCACHE_DIR:-$root/.ccache}"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
bash scripts/check-deps.sh build
cmake --build build -j "$(nproc)" --target quaveron quaveron-sim

mkdir -p "$root/build/src/Immagini"
cp -r data/Immagini/. "$root/build/src/Immagini/"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display: run it as  xvfb-run -a scripts/start.sh  (or set QT_QPA_PLATFORM=offscreen)." >&2
  exit 1
fi
QUAVERON_DEMO_PROGRAM="$root/build/src/quaveron" QUAVERON_DEMO_SIM="$root/build/sim/quaveron-sim" \
  QUAVERON_DEMO_LINGUA="$root/data/Lingua.ini" QUAVERON_DEMO_DATA="$root/data/demo" QUAVERON_DEMO_DIR="$root/build/demo" \
  exec bash scripts/demo.sh "$@"
