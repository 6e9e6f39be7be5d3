#!/usr/bin/env bash
# Builds Quaveron and starts it in a demo working directory.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

bash scripts/deps.sh

export CCACHE_DIR="${CCACHE_DIR:-$root/.ccache}"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target quaveron

demo="$root/build/demo"
mkdir -p "$demo"
cp data/Lingua.ini "$demo/Lingua.ini"
mkdir -p "$root/build/src/Immagini"
cp -r data/Immagini/. "$root/build/src/Immagini/" 2>/dev/null || true
[ -f "$demo/Conf.ini" ] || cp data/demo/Conf.ini "$demo/Conf.ini"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: run it as  xvfb-run -a scripts/start.sh  (or set QT_QPA_PLATFORM=offscreen)." >&2
  exit 1
fi

cd "$demo"
exec "$root/build/src/quaveron"
