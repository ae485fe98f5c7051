#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the README's screenshots into docs/screenshots from a build in ./build
# (run ./kelvara.sh run or ./kelvara.sh test once first).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build build --target kelvara_screenshot >/dev/null
QT_QPA_PLATFORM=offscreen ./build/kelvara_screenshot docs/screenshots
echo "saved the screenshots in docs/screenshots"
