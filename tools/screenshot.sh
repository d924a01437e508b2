#!/usr/bin/env bash
# Pictures of both windows for docs/: the main window after the real start-up
# on the shipped history (a copy of the store beside the built program), and
# the splash window. Runs on Qt's offscreen platform; Chinese text needs the
# fonts-wqy-microhei package. The picture shows the Chinese date format.
#
# Usage: tools/screenshot.sh [BUILD_DIR]    (default: ./build, configured already)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}

cmake --build "$build" --target ui_layout_screenshot tricala
mkdir -p "$root/docs"
LANG=zh_CN.UTF-8 QT_QPA_PLATFORM=offscreen "$build/tests/ui/ui_layout_screenshot" \
    "$root/docs/main-window.png" "$root/docs/splash-window.png" "$build/app/caipiao.edb"
echo "wrote $root/docs/main-window.png and $root/docs/splash-window.png"
