#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up a fresh Debian 12 machine, builds Kelvara and then either starts it or runs the tests.
#   ./kelvara.sh run    install what is missing, build, launch the program
#   ./kelvara.sh test   install what is missing, check that every file under docs/ is used
#                       and that the AppStream metainfo is valid, build, run the whole test
#                       suite headless, once in the user's locale and once with a decimal comma
#   ./kelvara.sh sanitize   the test suite built with Address-, UndefinedBehavior- and LeakSanitizer
#   ./kelvara.sh bench      the benchmark, offscreen
#   ./kelvara.sh package    a Debian package of a release build, in build-package/
set -euo pipefail
cd "$(dirname "$0")"

packages=(cmake g++ make qt6-base-dev qt6-charts-dev qt6-svg-dev libqt6opengl6-dev fonts-dejavu-core appstream)

install_missing() {
  local missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  "${sudo[@]}" apt-get update </dev/null
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}" </dev/null
}

build() { # folder, extra cmake arguments
  local folder=$1; shift
  cmake -S . -B "$folder" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELVARA_WERROR=ON "$@" >/dev/null
  cmake --build "$folder" --parallel "$(nproc)"
}

case "${1:-}" in
  run)
    install_missing; build build
    exec ./build/kelvara ;;
  test)
    install_missing
    scripts/check-docs.sh
    appstreamcli validate --no-net data/org.kelvara.Kelvara.metainfo.xml
    build build
    cd build
    LC_ALL=de_DE.UTF-8 QT_QPA_PLATFORM=offscreen ctest --output-on-failure
    QT_QPA_PLATFORM=offscreen ctest --output-on-failure ;;
  sanitize)
    install_missing; build build-sanitize -DKELVARA_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
    cd build-sanitize && QT_QPA_PLATFORM=offscreen ctest --output-on-failure ;;
  bench)
    install_missing; build build
    QT_QPA_PLATFORM=offscreen ./build/bench/kelvara_bench ;;
  package)
    # dpkg-shlibdeps (dpkg-dev) and file work out the package's library dependencies.
    packages+=(dpkg-dev file); install_missing
    build build-package -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
    cd build-package && cpack -G DEB ;;
  *)
    echo "usage: $0 run|test|sanitize|bench|package" >&2; exit 2 ;;
esac
