#!/usr/bin/env bash
# Refreshes docs/window.png: the window on the sample banks, drawn under the offscreen platform.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing "${BUILD_PACKAGES[@]}" fonts-noto-cjk
configure
cmake --build "$BUILD_DIR" --target lunvexa lunvexa_screenshot
QT_QPA_PLATFORM=offscreen "$BUILD_DIR/tools/lunvexa_screenshot" "$BUILD_DIR/src/app" "$ROOT/docs/window.png"
echo "Wrote $ROOT/docs/window.png"
