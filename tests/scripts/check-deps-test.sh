#!/usr/bin/env bash
# scripts/check-deps.sh against a configured build's cache: the full list
# passes; a list that lacks a package the configure or a script needs fails and
# names that package.
set -uo pipefail
source_dir=$1 build_dir=$2
full=$(bash "$source_dir/scripts/deps.sh" --list | tr '\n' ' ')
without() { echo " $full " | sed "s/ $1 / /"; }

status=0
# missing package (empty: none) | what the message must name
cases=(
  "|"
  "libqt6opengl6-dev|package libqt6opengl6-dev is needed (Qt6OpenGL_DIR"
  "poppler-utils|package poppler-utils is needed (program pdftoppm"
  "libclang-rt-14-dev|package libclang-rt-14-dev is needed (clang's libFuzzer runtime"
  "quaveron-made-up-package|"
)
for case in "${cases[@]}"; do
  missing=${case%%|*} expected=${case#*|}
  if [ -z "$missing" ]; then
    list=$full
  elif [ -z "$expected" ]; then
    list="$full $missing" expected="lists $missing, which apt does not know"
  else
    list=$(without "$missing")
  fi
  output=$(QUAVERON_DEPS_PACKAGES="$list" bash "$source_dir/scripts/check-deps.sh" "$build_dir" 2>&1)
  result=$?
  if [ -z "$missing" ]; then
    [ $result -eq 0 ] || { echo "FAIL: the full list was refused:"; echo "$output"; status=1; }
  elif [ $result -eq 0 ] || ! grep -qF "$expected" <<<"$output"; then
    echo "FAIL: without $missing expected a refusal naming \"$expected\", got ($result):"; echo "$output"; status=1
  else
    echo "ok: $missing -> $(grep -F "$expected" <<<"$output" | head -n 1)"
  fi
done
exit $status
