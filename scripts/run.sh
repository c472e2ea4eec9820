#!/usr/bin/env bash
# Installs what is missing, builds the program in Release and starts it with the sample banks beside it.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

runtime=(fonts-noto-cjk)
headless=false
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    headless=true
    runtime+=(xvfb xauth)
fi
install_missing "${BUILD_PACKAGES[@]}" "${runtime[@]}"
configure
cmake --build "$BUILD_DIR" --target lunvexa

program="$BUILD_DIR/src/app/lunvexa"
if $headless; then
    echo "No display found: starting under xvfb-run."
    exec xvfb-run -a "$program"
fi
exec "$program"
