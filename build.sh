#!/usr/bin/env bash
# Lexmira's set-up on Debian 12: installs what is missing, builds, then
#   ./build.sh run    starts Lexmira (words.mdb is placed beside the program;
#                     an existing set.mdb there is never touched)
#   ./build.sh test   runs every test, then a bounded fuzz run of the engine
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(
  cmake ninja-build g++ clang libclang-rt-14-dev pkg-config
  qt6-base-dev qt6-svg-dev qt6-translations-l10n libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  flite1-dev libpulse-dev pulseaudio pulseaudio-utils
  fonts-wqy-zenhei fonts-arphic-uming fonts-dejavu-core
  mdbtools xvfb xauth xdotool
  desktop-file-utils appstream dpkg-dev file man-db
)
FUZZ_SECONDS=${FUZZ_SECONDS:-60}

install_missing() {
  local missing=() p
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
  done
  ((${#missing[@]})) || return 0
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" apt-get update
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
}

build() {
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
  cmake --build build
}

fuzz() {
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DLEXMIRA_FUZZ=ON \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo
  cmake --build build-fuzz --target jet_fuzz
  rm -rf build-fuzz/corpus && mkdir -p build-fuzz/corpus
  cp tests/fixtures/*.mdb build-fuzz/corpus/
  # Inputs as large as the largest test file, so that mutations keep it whole.
  local max_len
  max_len=$(stat -c %s build-fuzz/corpus/* tests/fuzz/regressions/* | sort -n | tail -1)
  build-fuzz/bin/jet_fuzz -max_total_time="$FUZZ_SECONDS" -rss_limit_mb=2048 -timeout=10 \
    -max_len="$max_len" -artifact_prefix=build-fuzz/ build-fuzz/corpus tests/fuzz/regressions
}

case "${1:-}" in
  run)
    install_missing
    build
    exec build/bin/lexmira
    ;;
  test)
    install_missing
    build
    (cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure)
    fuzz
    ;;
  *)
    echo "usage: ./build.sh run | test" >&2
    exit 2
    ;;
esac
