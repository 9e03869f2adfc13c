#!/bin/sh
# Redraws every picture under resources/images/ from drawpictures.cpp and icons.cpp.
set -e
here="$(cd "$(dirname "$0")" && pwd)"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
g++ -std=c++17 -O1 -fPIC -o "$tmp/drawpictures" "$here/drawpictures.cpp" "$here/icons.cpp" \
    $(pkg-config --cflags --libs Qt5Widgets)
QT_QPA_PLATFORM=offscreen "$tmp/drawpictures" "$here/.."
