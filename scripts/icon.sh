#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the program's icon into data/icons from a build in ./build (run
# ./kelvara.sh run or ./kelvara.sh test once first). The windows load these
# files from the compiled-in resources and the package installs them, so run
# this after every change to src/windows/applicationiconpainter.cpp.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build build --target kelvara_icon >/dev/null
./build/kelvara_icon data/icons
echo "saved data/icons/hicolor/48x48/apps/kelvara.png and data/icons/hicolor/256x256/apps/kelvara.png"
