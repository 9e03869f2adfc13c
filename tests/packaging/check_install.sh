#!/bin/bash
# Installs the build into a scratch prefix and checks what a desktop expects
# there: the program, its menu entry, its icon and valid AppStream data.
# Usage: check_install.sh BUILD-DIR
set -eu
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$1" --prefix "$prefix" >/dev/null
for f in bin/harfora bin/harfora-report share/applications/harfora.desktop share/icons/hicolor/256x256/apps/harfora.png \
         share/metainfo/io.velmonde.Harfora.metainfo.xml share/doc/harfora/copyright; do
    test -s "$prefix/$f" || { echo "missing $f"; exit 1; }
done
grep -q '<project_license>GPL-3.0-or-later</project_license>' "$prefix/share/metainfo/io.velmonde.Harfora.metainfo.xml"
grep -q '^Exec=harfora$' "$prefix/share/applications/harfora.desktop"
grep -q '^Name\[ar\]=' "$prefix/share/applications/harfora.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/io.velmonde.Harfora.metainfo.xml"
echo "install layout: 1 passed, 0 failed"
