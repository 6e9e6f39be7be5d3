#!/usr/bin/env bash
# Proves the package list of scripts/deps.sh against what a configured build
# really uses: every system file the CMake cache names (package configurations
# behind the *_DIR entries, libraries and programs behind FILEPATH entries) and
# every program the scripts call must belong to a Debian package that is on the
# list or that the list pulls in through Depends. An equipped machine can no
# longer hide a missing install step.
#
#   scripts/check-deps.sh BUILD_DIR...
#   QUAVERON_DEPS_PACKAGES="pkg ..."   checks against this list instead of deps.sh's
set -euo pipefail
cd "$(dirname "$0")/.."

if [ $# -eq 0 ]; then
  echo "usage: scripts/check-deps.sh BUILD_DIR..." >&2
  exit 2
fi

# Programs the scripts and tests start by name.
programs=(cmake ninja ccache c++ clang clang++ xvfb-run xauth Xvfb pdftoppm cpack dpkg-shlibdeps dpkg-deb file setpriv)

if [ -n "${QUAVERON_DEPS_PACKAGES:-}" ]; then
  read -r -a listed <<<"$QUAVERON_DEPS_PACKAGES"
else
  mapfile -t listed < <(bash scripts/deps.sh --list)
fi
# Essential packages are on every Debian system and never need listing.
mapfile -t essential < <(dpkg-query -W -f='${Package} ${Essential}\n' | awk '$2 == "yes" { print $1 }')

closure=$(mktemp)
trap 'rm -f "$closure"' EXIT
apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts --no-breaks --no-replaces \
  --no-enhances "${listed[@]}" "${essential[@]}" 2>/dev/null | awk '!/^ / { sub(/:.*/, ""); print }' |
  sort -u >"$closure" || true
for p in "${listed[@]}"; do
  if ! grep -qxF "$p" "$closure"; then
    echo "check-deps: scripts/deps.sh lists $p, which apt does not know (apt-get update?)." >&2
    exit 1
  fi
done

# Files to check, each with what asked for it.
declare -A wanted=()
for dir in "$@"; do
  cache="$dir/CMakeCache.txt"
  [ -f "$cache" ] || { echo "check-deps: $cache is missing; configure first." >&2; exit 2; }
  while IFS= read -r line; do
    name=${line%%:*} value=${line#*=}
    case "$value" in /usr/*|/lib*|/bin/*|/etc/*) ;; *) continue ;; esac
    if [[ "$name" == *_DIR && -d "$value" ]]; then
      # A package configuration folder: the configuration file the configure loaded.
      package=${name%_DIR}
      config=
      for candidate in "$value/${package}Config.cmake" "$value/${package,,}-config.cmake"; do
        [ -f "$candidate" ] && { config=$candidate; break; }
      done
      [ -n "$config" ] && wanted[$config]="$name in $cache"
    elif [ -f "$value" ]; then
      wanted[$value]="$name in $cache"
    fi
  done < <(grep -E '^[A-Za-z0-9_.+-]+:(PATH|FILEPATH)=' "$cache")
done
for program in "${programs[@]}"; do
  path=$(command -v "$program" || true)
  if [ -z "$path" ]; then
    echo "check-deps: the program $program is not installed; scripts/deps.sh must install it." >&2
    exit 1
  fi
  wanted[$path]="program $program"
done
fuzzer=$(clang -print-resource-dir)/lib/linux/libclang_rt.fuzzer-$(uname -m).a
[ -f "$fuzzer" ] && wanted[$fuzzer]="clang's libFuzzer runtime"

# The packages owning each file, through symbolic links (alternatives, merged
# /usr), asked of dpkg in one go: it reads its whole file list every time.
declare -A candidates=() owners=()
for file in "${!wanted[@]}"; do
  candidates[$file]="$file $(readlink -f "$file") ${file/#\/usr\//\/}"
done
mapfile -t all < <(printf '%s\n' ${candidates[@]} | sort -u)
while IFS= read -r line; do
  owners[${line#*: }]=$(echo "${line%%: *}" | tr -d ' ' | tr ',' '\n' | sed 's/:.*//' | tr '\n' ' ')
done < <(dpkg -S "${all[@]}" 2>/dev/null || true)

failed=0
for file in "${!wanted[@]}"; do
  found=
  for candidate in ${candidates[$file]}; do
    [ -n "${owners[$candidate]:-}" ] && { found=${owners[$candidate]}; break; }
  done
  if [ -z "$found" ]; then
    echo "check-deps: no Debian package owns $file (${wanted[$file]}); scripts/deps.sh cannot install it." >&2
    failed=1
    continue
  fi
  ok=0
  for p in $found; do grep -qxF "$p" "$closure" && ok=1; done
  if [ $ok -eq 0 ]; then
    echo "check-deps: package ${found% } is needed (${wanted[$file]}: $file) but scripts/deps.sh neither lists it nor pulls it in; add it to scripts/deps.sh." >&2
    failed=1
  fi
done
[ $failed -eq 0 ] && echo "check-deps: ${#wanted[@]} files and programs, all from packages scripts/deps.sh installs."
exit $failed
