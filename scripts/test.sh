#!/usr/bin/env bash
# Builds and runs every test, then the same tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, then the fuzz targets; the Debian package is built
# and started unpacked in between. After each configure,
# scripts/check-deps.sh proves that scripts/deps.sh installs what it loaded.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

bash scripts/deps.sh

jobs=$(nproc)
# One compiler cache for every checkout on this machine: a fresh clone in
# another folder still hits it, since paths are taken relative to the tree.
export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/quaveron-ccache}"
export CCACHE_BASEDIR="$root"
export CCACHE_NOHASHDIR=true
export CCACHE_MAXSIZE="${CCACHE_MAXSIZE:-5G}"
export QT_QPA_PLATFORM=offscreen

run_suite() {
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  bash scripts/check-deps.sh "$dir"
  cmake --build "$dir" -j "$jobs"
  (cd "$dir" && ctest --output-on-failure -j "$jobs" --timeout 600)
}

echo "== Tests =="
# Unoptimised without debug information: the quickest build that runs the tests.
run_suite build-test -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-O0

echo "== Debian package =="
# Packed from the test build, unpacked into a temporary root and started there.
bash scripts/check-package.sh build-test

echo "== Tests under AddressSanitizer and UndefinedBehaviorSanitizer =="
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
run_suite build-asan -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" -DQUAVERON_SANITIZE=ON

echo "== Fuzzing =="
# libFuzzer targets built with clang. Every crash input committed under
# fuzz/regressions/<target>/ runs first; then each target explores for a while
# from its committed seeds, and whatever crashes it is kept in that folder.
fuzz_started=$(date +%s)
fuzz_targets=(fuzz_rclini fuzz_rpm fuzz_gas_mctc fuzz_gas_maker fuzz_smoke_mctc fuzz_smoke_maker fuzz_setup)
fuzz_seconds="${QUAVERON_FUZZ_SECONDS:-30}"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" \
  -DQUAVERON_FUZZ=ON -DQUAVERON_TESTS=OFF >/dev/null
bash scripts/check-deps.sh build-fuzz
cmake --build build-fuzz -j "$jobs" --target fuzz_all
for target in "${fuzz_targets[@]}"; do
  mapfile -t regressions < <(find "fuzz/regressions/$target" -type f \
    \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' -o -name 'oom-*' -o -name 'slow-unit-*' \) 2>/dev/null | sort)
  if [ ${#regressions[@]} -gt 0 ]; then
    echo "$target: ${#regressions[@]} regression input(s)"
    "build-fuzz/fuzz/$target" -timeout=25 "${regressions[@]}"
  fi
done
for target in "${fuzz_targets[@]}"; do
  echo "$target: ${fuzz_seconds} s"
  mkdir -p "fuzz/regressions/$target" "build-fuzz/corpus/$target"
  # New inputs go to the build tree's corpus; the committed seeds are only read.
  status=0
  "build-fuzz/fuzz/$target" -max_total_time="$fuzz_seconds" -timeout=25 -print_final_stats=1 \
    -artifact_prefix="fuzz/regressions/$target/" "build-fuzz/corpus/$target" "fuzz/corpus/$target" \
    >"build-fuzz/$target.log" 2>&1 || status=$?
  grep -E '^stat::(number_of_executed_units|new_units_added)' "build-fuzz/$target.log" || true
  if [ "$status" -ne 0 ]; then
    tail -n 60 "build-fuzz/$target.log" >&2
    echo "$target found a failing input; it is kept in fuzz/regressions/$target/" >&2
    exit 1
  fi
done
echo "Fuzzing took $(( $(date +%s) - fuzz_started )) s"
