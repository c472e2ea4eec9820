#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test through CTest.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing "${BUILD_PACKAGES[@]}"
configure
cmake --build "$BUILD_DIR"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$BUILD_DIR" --output-on-failure
