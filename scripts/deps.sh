#!/usr/bin/env bash
# Installs the Debian packages the build, the tests, the fuzzing, the package and
# the demo need, when any is missing. `scripts/deps.sh --list` prints the list;
# scripts/check-deps.sh proves it against what a configure actually loaded.
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config
  # Qt Charts' CMake configuration loads Qt6OpenGL, which qt6-charts-dev does not
  # depend on; FindOpenGL, run by Qt's configuration, also takes EGL and GLU where
  # present, so they are listed for every machine to configure alike.
  qt6-base-dev qt6-serialport-dev qt6-charts-dev libqt6opengl6-dev libegl-dev libglu1-mesa-dev
  libgtest-dev libgmock-dev zlib1g-dev
  xvfb xauth fonts-dejavu-core
  # clang with its libFuzzer runtime.
  clang libclang-rt-14-dev
  # CMake records the LLVM binutils and lld beside clang in the fuzz build.
  llvm lld
  poppler-utils
  # The test archive: Qt's SQLite driver, and the sqlite3 tool the tamper tests use.
  libqt6sql6-sqlite sqlite3
  # A lane sends its tests to the centre's PostgreSQL server through Qt's driver;
  # the tests start a server of their own (initdb, pg_ctl).
  libqt6sql6-psql postgresql
  # The Debian package: dpkg-shlibdeps works out its dependencies, CPack finds
  # the binaries with file.
  dpkg-dev file
)

if [ "${1:-}" = "--list" ]; then
  printf '%s\n' "${packages[@]}"
  exit 0
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages: ${missing[*]}; run as root or install them first." >&2
    exit 1
  fi
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
