#!/usr/bin/env bash
# scripts/check-deps.sh against a configured build's cache: the full list
# passes; a list that lacks packages the configure or the scripts need fails and
# names each of them; a package apt does not know is refused.
set -uo pipefail
source_dir=$1 build_dir=$2
full=" $(bash "$source_dir/scripts/deps.sh" --list | tr '\n' ' ')"
check() { QUAVERON_DEPS_PACKAGES="$1" bash "$source_dir/scripts/check-deps.sh" "$build_dir" 2>&1; }

status=0
output=$(check "$full") || { echo "FAIL: the full list was refused:"; echo "$output"; status=1; }

# Taken off the list | what the refusal must say
missing=(
  "libqt6opengl6-dev|package libqt6opengl6-dev is needed (Qt6OpenGL_DIR"
  "poppler-utils|package poppler-utils is needed (program pdftoppm"
  "libclang-rt-14-dev|package libclang-rt-14-dev is needed (clang's libFuzzer runtime"
)
list=$full
for case in "${missing[@]}"; do list=${list/ ${case%%|*} / }; done
output=$(check "$list") && { echo "FAIL: a list without ${missing[*]%%|*} passed"; status=1; }
for case in "${missing[@]}"; do
  if grep -qF "${case#*|}" <<<"$output"; then
    echo "ok: without ${case%%|*}: $(grep -F "${case#*|}" <<<"$output")"
  else
    echo "FAIL: without ${case%%|*} expected \"${case#*|}\" in:"; echo "$output"; status=1
  fi
done

if output=$(check "$full quaveron-made-up-package") ||
  ! grep -qF "lists quaveron-made-up-package, which apt does not know" <<<"$output"; then
  echo "FAIL: a made-up package was not refused by name:"; echo "$output"; status=1
fi
exit $status
