#!/usr/bin/env bash
# Starts Quaveron in a demo working directory with simulated instruments on
# pseudo-terminals: the gas analyser and the opacimeter speak MCTC-NET, or with
# --maker the maker's binary frames; the rev counter always serves too. The
# simulators stop when the program exits.
#
# Installed as /opt/quaveron/quaveron-demo, it runs the installed program from
# ~/.local/share/quaveron-demo, on its own copy of the program there, so the
# demo's report.log and logs never mix with the station's. scripts/start.sh
# runs it on the build tree instead (the QUAVERON_DEMO_* variables below).
set -euo pipefail

protocol=mctc
for arg in "$@"; do
  case "$arg" in
    --maker) protocol=maker ;;
    -h|--help) echo "usage: $(basename "$0") [--maker]"; exit 0 ;;
    *) echo "$(basename "$0"): unknown option $arg (usage: $(basename "$0") [--maker])" >&2; exit 2 ;;
  esac
done

here=$(dirname "$(readlink -f "$0")")
program=${QUAVERON_DEMO_PROGRAM:-}
sim=${QUAVERON_DEMO_SIM:-$here/quaveron-sim}
lingua=${QUAVERON_DEMO_LINGUA:-$here/Lingua.ini}
demo_data=${QUAVERON_DEMO_DATA:-$here/demo}
demo=${QUAVERON_DEMO_DIR:-${XDG_DATA_HOME:-$HOME/.local/share}/quaveron-demo}

mkdir -p "$demo"
if [ -z "$program" ]; then
  # The program writes its logs and report.log beside itself.
  cp -f "$here/quaveron" "$demo/quaveron"
  ln -sfn "$here/Immagini" "$demo/Immagini"
  program=$demo/quaveron
fi
cp "$lingua" "$demo/Lingua.ini"
[ -f "$demo/Conf.ini" ] || cp "$demo_data/Conf.ini" "$demo/Conf.ini"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display: run it as  xvfb-run -a $0  (or set QT_QPA_PLATFORM=offscreen)." >&2
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

# The value of a key in a section of an INI file, CR stripped; empty when missing.
ini_get() {
  local section=$1 key=$2 file=$3
  LC_ALL=C awk -v sec="$section" -v key="$key" '
    { sub(/\r$/, "") }
    /^[ \t]*\[/ { name = $0; gsub(/^[ \t]*\[|\][ \t]*$/, "", name); inside = (tolower(name) == tolower(sec)); next }
    inside && index($0, "=") && tolower(substr($0, 1, index($0, "=") - 1)) == tolower(key) {
      print substr($0, index($0, "=") + 1); exit
    }
  ' "$file"
}

# The COM port number a section's key gives (1..16), set to the fallback when unusable.
com_port() {
  local section=$1 key=$2 fallback=$3 port
  port=$(ini_get "$section" "$key" "$demo/Conf.ini")
  if ! [[ "$port" =~ ^([1-9]|1[0-6])$ ]]; then
    port=$fallback
    ini_set "$section" "$key" "$port" "$demo/Conf.ini"
  fi
  echo "$port"
}

# The models the windows talk to, by protocol: link mode 2 is MCTC-NET, 1 the maker's frames.
if [ "$protocol" = maker ]; then
  gas_model=0 opa_model=1 link_mode=1
else
  gas_model=3 opa_model=5 link_mode=2
fi
ini_set MODKAPRO Modello "$gas_model" "$demo/Conf.ini"
ini_set COMKAPRO TModCom "$link_mode" "$demo/Conf.ini"
ini_set MODOPA Modello "$opa_model" "$demo/Conf.ini"
ini_set COMOPA TModCom "$link_mode" "$demo/Conf.ini"

sims=()
stop_simulators() {
  [ ${#sims[@]} -eq 0 ] && return
  kill "${sims[@]}" 2>/dev/null || true
  wait "${sims[@]}" 2>/dev/null || true
}
trap stop_simulators EXIT

# Serves one simulated instrument on a pseudo-terminal linked at build/demo/<name>
# and points the COM port there.
serve() {
  local name=$1 port=$2; shift 2
  ini_set PORTE "COM$port" "$demo/$name" "$demo/Conf.ini"
  "$sim" "$@" --link "$demo/$name" &
  sims+=($!)
}

serve rpm "$(com_port RPM TCOMrpm 3)" rpm
# The simulator's own passing certification run, timed for the window's measurement.
serve gas "$(com_port COMKAPRO TCOM 2)" gas --model "$gas_model" --run pass
serve opa "$(com_port COMOPA TCOM 1)" opa --protocol "$protocol" --model "$opa_model" \
  --scenario "$demo_data/smoke-run.txt"
for name in rpm gas opa; do
  for _ in $(seq 50); do [ -L "$demo/$name" ] && break; sleep 0.1; done
  [ -L "$demo/$name" ] || echo "scripts/start.sh: the simulated $name did not start" >&2
done

cd "$demo"
"$program"
