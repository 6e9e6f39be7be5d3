#!/usr/bin/env bash
# Builds Quaveron and starts it in a demo working directory.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

bash scripts/deps.sh

export CCACHE_DIR="${CCACHE_DIR:-$root/.ccache}"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target quaveron quaveron-sim

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

# Sets key=value in a section of an INI file with CR LF lines, adding what is missing.
ini_set() {
  local section=$1 key=$2 value=$3 file=$4
  LC_ALL=C awk -v sec="$section" -v key="$key" -v val="$value" '
    BEGIN { ORS = "\r\n" }
    { sub(/\r$/, "") }
    /^[ \t]*\[/ {
      if (inside && !done) { print key "=" val; done = 1 }
      name = $0; gsub(/^[ \t]*\[|\][ \t]*$/, "", name)
      inside = (tolower(name) == tolower(sec)); print; next
    }
    inside && index($0, "=") {
      name = substr($0, 1, index($0, "=") - 1); gsub(/^[ \t]+|[ \t]+$/, "", name)
      if (tolower(name) == tolower(key)) { if (!done) print key "=" val; done = 1; next }
    }
    { print }
    END { if (!done) { if (!inside) print "[" sec "]"; print key "=" val } }
  ' "$file" >"$file.new" && mv "$file.new" "$file"
}

# The simulated rev counter on a pseudo-terminal; its COM port points there.
rpm_port=$(LC_ALL=C awk -F= '/^\[/ { s = $0 } s ~ /^\[RPM\]/ && $1 == "TCOMrpm" { sub(/\r$/, "", $2); print $2 }' "$demo/Conf.ini")
[[ "$rpm_port" =~ ^([1-9]|1[0-6])$ ]] || { rpm_port=3; ini_set RPM TCOMrpm "$rpm_port" "$demo/Conf.ini"; }
ini_set PORTE "COM$rpm_port" "$demo/rpm" "$demo/Conf.ini"
"$root/build/sim/quaveron-sim" rpm --link "$demo/rpm" &
sims=($!)
trap 'kill "${sims[@]}" 2>/dev/null; wait "${sims[@]}" 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -e "$demo/rpm" ] && break; sleep 0.1; done

cd "$demo"
"$root/build/src/quaveron"
